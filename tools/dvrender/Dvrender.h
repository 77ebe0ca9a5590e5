#pragma once
// The command line of dvrender: parsing and running one request.

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace dvrender {

struct Options {
    QString document;
    QString output;  // -o
    QString printer; // --printer
    std::optional<int> page;
    std::optional<int> width;
};

// The options, or the reason they are not a valid request.
std::variant<Options, QString> parse(const QStringList& args);

// Runs the request; 0 on success, 1 when rendering or output failed, 2 for a bad command line
// or a file that is not a document.
int run(const QStringList& args);

} // namespace dvrender
