// dvscript SCRIPT: creates one Docuvel object through the class registry (or from the library
// beside this program when the class is not registered) and runs the script's member calls by
// name. Exit status 0, or 2 when the script cannot be read.

#include "component/typelib/Docuvel40.h"
#include "platform/com/ClassLoader.h"
#include "tools/dvscript/Script.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

com::Ptr<com::Dispatch> createDocuvel() {
    try {
        return com::createObject(docuvel::kDocuvelClassName);
    } catch (const com::Error& e) {
        if (e.number() != std::int32_t(com::StandardError::CannotCreateObject))
            throw;
        const std::filesystem::path beside =
            std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
            docuvel::kComponentLibraryFile;
        return com::createObjectFromLibrary(beside, docuvel::kDocuvelClassName);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dvscript SCRIPT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "dvscript: cannot read " << argv[1] << '\n';
        return 2;
    }
    const std::string script{std::istreambuf_iterator<char>(in), {}};

    // Fonts and the printer need a GUI application; a script needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    com::Ptr<com::Dispatch> object;
    try {
        object = createDocuvel();
    } catch (const com::Error& e) {
        std::cout << dvscript::formatError(e.info()) << '\n';
        return 0;
    }
    dvscript::runScript(*object, script, std::cout);
    object.reset();
    com::freeUnusedLibraries();
    return 0;
}
