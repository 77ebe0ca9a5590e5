#pragma once
// Writing and reading document files. A DocumentFile is the open working file that records are
// appended to; finishing adds the end record and the page table and closes it. DocumentReader
// reads a finished file page by page. Both follow the one layout table of RecordFormat.h.

#include "component/document/RecordFormat.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace docuvel {

struct Point {
    float x = 0;
    float y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The bytes of another open file, copied in blocks rather than held in memory.
struct ByteSource {
    std::FILE* file = nullptr;
    std::int32_t length = 0;
};

// One field value, in the order of the record's layout. Text is cp1252 bytes.
using Field = std::variant<std::int16_t, std::int32_t, float, std::string_view,
                           std::span<const Point>, ByteSource>;

// A failure of the file system while a document file is written or read.
class DocumentIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Header fields; texts are cp1252 bytes padded with spaces to their field length.
struct DocumentHeader {
    std::int16_t pageCount = 1;
    float pageWidth = 8.5f;
    float pageHeight = 11.0f;
    std::string title = std::string(kTitleLength, ' ');
    std::string author = std::string(kAuthorLength, ' ');
    std::string comment = std::string(kCommentLength, ' ');
};

// Why a file cannot be opened as a document, in the order the checks are made.
enum class OpenFault { EmptyPath, Missing, TooShort, NotDocument };

// Checks path against the layout without changing anything. A finished file whose page table
// does not fit its length or points outside its records counts as NotDocument.
std::optional<OpenFault> checkDocumentFile(const std::filesystem::path& path);

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

class DocumentFile {
public:
    // Writes a fresh header with page count 1; page 1 starts at 404.
    static DocumentFile create(const std::filesystem::path& path, const DocumentHeader& header);

    struct Reopened;
    // Reads header and page table of a finished file, cuts the end record and page table off
    // and resumes appending at the end of the last page. The file must pass checkDocumentFile.
    static Reopened reopen(const std::filesystem::path& path);

    // Continues appending to path as it stands (a copy of an open working file).
    static DocumentFile openForAppend(const std::filesystem::path& path);

    DocumentFile(DocumentFile&&) noexcept = default;
    DocumentFile& operator=(DocumentFile&&) noexcept = default;
    ~DocumentFile();

    // Writes code and fields at the end; the fields must match recordLayout(code).
    void append(RecordCode code, std::initializer_list<Field> fields);
    void append(std::int16_t code, std::span<const Field> fields);

    // Rewrites a header field in place.
    void writeSingleAt(int position, float value);
    void writeTextAt(int position, std::string_view bytes);

    // End record, page count at 39, page table; closes the file.
    void finish(std::span<const std::int32_t> pageStarts);
    // Flushes and closes without finishing.
    void close();
    // Hands buffered records to the file, so that a reader sees them.
    void flush();

    // Bytes in the file; the next record goes to position length() + 1.
    std::int64_t length() const { return length_; }
    const std::filesystem::path& path() const { return path_; }

private:
    DocumentFile(FileHandle file, std::filesystem::path path, std::int64_t length);
    void put(const void* bytes, std::size_t size);
    void putField(FieldKind kind, const Field& field);

    FileHandle file_;
    std::filesystem::path path_;
    std::int64_t length_ = 0;
    std::vector<char> buffer_;
};

struct DocumentFile::Reopened {
    DocumentFile file;
    DocumentHeader header;
    std::vector<std::int32_t> pageStarts;
};

// Shortens path to n bytes; nothing is cut when n is not below its length.
void shortenFile(const std::filesystem::path& path, std::int64_t n);

// Position of the page table entry of page k (1-based) in a finished file.
inline std::int64_t pageTableEntryPosition(std::int64_t fileLength, int pageCount, int k) {
    return fileLength - 4 * std::int64_t(pageCount - k) - 3;
}

// Little-endian field encoding shared by writer and reader.
void encodeInteger(char* out, std::int16_t v);
void encodeLong(char* out, std::int32_t v);
void encodeSingle(char* out, float v);
std::int16_t decodeInteger(const char* in);
std::int32_t decodeLong(const char* in);
float decodeSingle(const char* in);

// A value read from a record.
using Value = std::variant<std::int16_t, std::int32_t, float, std::string, std::vector<Point>>;

struct Record {
    std::int16_t code = 0;
    std::vector<Value> fields;

    std::int16_t integer(std::size_t i) const { return std::get<std::int16_t>(fields.at(i)); }
    std::int32_t longValue(std::size_t i) const { return std::get<std::int32_t>(fields.at(i)); }
    float single(std::size_t i) const { return std::get<float>(fields.at(i)); }
    const std::string& text(std::size_t i) const { return std::get<std::string>(fields.at(i)); }
    const std::vector<Point>& points(std::size_t i) const {
        return std::get<std::vector<Point>>(fields.at(i));
    }
};

// Reads a document file sequentially. Reading past the end or a field that does not fit the
// file throws DocumentIoError, so a damaged file never reads out of bounds.
class RecordReader {
public:
    explicit RecordReader(const std::filesystem::path& path);

    std::int64_t length() const { return length_; }
    void seek(std::int64_t position); // 1-based
    std::int64_t position() const;    // 1-based position of the next byte

    std::int16_t readInteger();
    std::int32_t readLong();
    float readSingle();
    std::string readBytes(std::size_t n);
    std::vector<Point> readPoints(); // Integer count, then the pairs

    // Reads the fields of a record whose code was just read.
    Record readFields(std::int16_t code);
    // Copies the fields of a record whose code was just read to the end of out, unchanged.
    void copyFields(std::int16_t code, DocumentFile& out);

    DocumentHeader readHeader();

private:
    FileHandle file_;
    std::int64_t length_ = 0;
};

// A finished file: header and page table, ready to play any page.
class DocumentReader {
public:
    explicit DocumentReader(const std::filesystem::path& path);

    const DocumentHeader& header() const { return header_; }
    int pageCount() const { return header_.pageCount; }
    // 1-based start position of page k, from the page table.
    std::int32_t pageStart(int k);
    // The records of page k, up to its 199 or 200.
    std::vector<Record> readPage(int k);

private:
    RecordReader reader_;
    DocumentHeader header_;
};

} // namespace docuvel
