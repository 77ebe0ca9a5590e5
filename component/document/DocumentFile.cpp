#include "component/document/DocumentFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <system_error>

namespace docuvel {

static_assert(std::endian::native == std::endian::little ||
              std::endian::native == std::endian::big);

namespace {

constexpr std::size_t kCopyBlock = 5000;
constexpr std::size_t kWriteBuffer = 1 << 16;

template <typename T> void encode(char* out, T v) {
    auto bits = std::bit_cast<std::array<char, sizeof(T)>>(v);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bits.begin(), bits.end());
    std::memcpy(out, bits.data(), sizeof(T));
}

template <typename T> T decode(const char* in) {
    std::array<char, sizeof(T)> bits;
    std::memcpy(bits.data(), in, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bits.begin(), bits.end());
    return std::bit_cast<T>(bits);
}

FileHandle openFile(const std::filesystem::path& path, const char* mode) {
    FileHandle f(std::fopen(path.c_str(), mode));
    if (!f)
        throw DocumentIoError("cannot open " + path.string());
    return f;
}

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

} // namespace

void encodeInteger(char* out, std::int16_t v) {
    encode(out, v);
}
void encodeLong(char* out, std::int32_t v) {
    encode(out, v);
}
void encodeSingle(char* out, float v) {
    encode(out, v);
}
std::int16_t decodeInteger(const char* in) {
    return decode<std::int16_t>(in);
}
std::int32_t decodeLong(const char* in) {
    return decode<std::int32_t>(in);
}
float decodeSingle(const char* in) {
    return decode<float>(in);
}

// ---- writing ----

DocumentFile::DocumentFile(FileHandle file, std::filesystem::path path, std::int64_t length)
    : file_(std::move(file)), path_(std::move(path)), length_(length), buffer_(kWriteBuffer) {
    std::setvbuf(file_.get(), buffer_.data(), _IOFBF, buffer_.size());
}

DocumentFile::~DocumentFile() = default;

DocumentFile DocumentFile::create(const std::filesystem::path& path, const DocumentHeader& h) {
    DocumentFile doc(openFile(path, "w+b"), path, 0);
    doc.put(kSignature.data(), kSignature.size());
    char buf[10];
    encodeInteger(buf, h.pageCount);
    encodeSingle(buf + 2, h.pageWidth);
    encodeSingle(buf + 6, h.pageHeight);
    doc.put(buf, sizeof buf);
    doc.put(h.title.data(), kTitleLength);
    doc.put(h.author.data(), kAuthorLength);
    doc.put(h.comment.data(), kCommentLength);
    return doc;
}

DocumentFile DocumentFile::openForAppend(const std::filesystem::path& path) {
    FileHandle f = openFile(path, "r+b");
    if (std::fseek(f.get(), 0, SEEK_END) != 0)
        throw DocumentIoError("cannot seek " + path.string());
    const long size = std::ftell(f.get());
    return DocumentFile(std::move(f), path, size);
}

DocumentFile::Reopened DocumentFile::reopen(const std::filesystem::path& path) {
    DocumentHeader header;
    std::vector<std::int32_t> starts;
    std::int64_t tablePosition = 0;
    {
        RecordReader reader(path);
        header = reader.readHeader();
        tablePosition = reader.length() - 4 * std::int64_t(header.pageCount) + 1;
        reader.seek(tablePosition);
        starts.reserve(std::size_t(std::max<std::int16_t>(header.pageCount, 0)));
        for (int k = 0; k < header.pageCount; ++k)
            starts.push_back(reader.readLong());
    }
    shortenFile(path, tablePosition - 3);
    return {openForAppend(path), std::move(header), std::move(starts)};
}

void DocumentFile::put(const void* bytes, std::size_t size) {
    if (size == 0)
        return;
    if (!file_)
        throw DocumentIoError("document file is not open");
    if (std::fwrite(bytes, 1, size, file_.get()) != size)
        throw DocumentIoError("cannot write " + path_.string());
    length_ += std::int64_t(size);
}

void DocumentFile::putField(FieldKind kind, const Field& field) {
    char buf[4];
    switch (kind) {
    case FieldKind::Integer:
        encodeInteger(buf, std::get<std::int16_t>(field));
        put(buf, 2);
        break;
    case FieldKind::Long:
        encodeLong(buf, std::get<std::int32_t>(field));
        put(buf, 4);
        break;
    case FieldKind::Single:
        encodeSingle(buf, std::get<float>(field));
        put(buf, 4);
        break;
    case FieldKind::Text: {
        const auto text = std::get<std::string_view>(field);
        encodeInteger(buf, std::int16_t(text.size()));
        put(buf, 2);
        put(text.data(), text.size());
        break;
    }
    case FieldKind::Points: {
        const auto points = std::get<std::span<const Point>>(field);
        encodeInteger(buf, std::int16_t(points.size()));
        put(buf, 2);
        for (const Point& p : points) {
            char pair[8];
            encodeSingle(pair, p.x);
            encodeSingle(pair + 4, p.y);
            put(pair, 8);
        }
        break;
    }
    case FieldKind::Bytes: {
        const auto source = std::get<ByteSource>(field);
        encodeLong(buf, source.length);
        put(buf, 4);
        std::array<char, kCopyBlock> block;
        for (std::int64_t left = source.length; left > 0;) {
            const auto n = std::size_t(std::min<std::int64_t>(left, kCopyBlock));
            if (std::fread(block.data(), 1, n, source.file) != n)
                throw DocumentIoError("picture file ended early");
            put(block.data(), n);
            left -= std::int64_t(n);
        }
        break;
    }
    }
}

void DocumentFile::append(RecordCode code, std::initializer_list<Field> fields) {
    append(static_cast<std::int16_t>(code), std::span<const Field>(fields.begin(), fields.size()));
}

void DocumentFile::append(std::int16_t code, std::span<const Field> fields) {
    const auto layout = recordLayout(code);
    if (layout.size() != fields.size())
        throw std::logic_error("record " + std::to_string(code) + " has the wrong field count");
    char buf[2];
    encodeInteger(buf, code);
    put(buf, 2);
    for (std::size_t i = 0; i < layout.size(); ++i)
        putField(layout[i], fields[i]);
}

void DocumentFile::writeSingleAt(int position, float value) {
    char buf[4];
    encodeSingle(buf, value);
    if (!file_ || std::fseek(file_.get(), position - 1, SEEK_SET) != 0 ||
        std::fwrite(buf, 1, 4, file_.get()) != 4 || std::fseek(file_.get(), 0, SEEK_END) != 0)
        throw DocumentIoError("cannot rewrite the header of " + path_.string());
}

void DocumentFile::writeTextAt(int position, std::string_view bytes) {
    if (!file_ || std::fseek(file_.get(), position - 1, SEEK_SET) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size() ||
        std::fseek(file_.get(), 0, SEEK_END) != 0)
        throw DocumentIoError("cannot rewrite the header of " + path_.string());
}

void DocumentFile::finish(std::span<const std::int32_t> pageStarts) {
    append(RecordCode::EndOfDocument, {});
    char buf[4];
    encodeInteger(buf, std::int16_t(pageStarts.size()));
    if (std::fseek(file_.get(), kPageCountPosition - 1, SEEK_SET) != 0 ||
        std::fwrite(buf, 1, 2, file_.get()) != 2 || std::fseek(file_.get(), 0, SEEK_END) != 0)
        throw DocumentIoError("cannot write the page count of " + path_.string());
    for (std::int32_t start : pageStarts) {
        encodeLong(buf, start);
        put(buf, 4);
    }
    close();
}

void DocumentFile::flush() {
    if (file_ && std::fflush(file_.get()) != 0)
        throw DocumentIoError("cannot write " + path_.string());
}

void DocumentFile::close() {
    if (!file_)
        return;
    std::FILE* f = file_.release();
    if (std::fclose(f) != 0)
        throw DocumentIoError("cannot close " + path_.string());
}

void shortenFile(const std::filesystem::path& path, std::int64_t n) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        throw DocumentIoError("cannot read the size of " + path.string());
    if (n < 0 || std::uintmax_t(n) >= size)
        return;
    std::filesystem::resize_file(path, std::uintmax_t(n), ec);
    if (ec)
        throw DocumentIoError("cannot shorten " + path.string());
}

// ---- reading ----

RecordReader::RecordReader(const std::filesystem::path& path) : file_(openFile(path, "rb")) {
    if (std::fseek(file_.get(), 0, SEEK_END) != 0)
        throw DocumentIoError("cannot seek " + path.string());
    length_ = std::ftell(file_.get());
    std::rewind(file_.get());
}

void RecordReader::seek(std::int64_t position) {
    if (position < 1 || position > length_ + 1 ||
        std::fseek(file_.get(), long(position - 1), SEEK_SET) != 0)
        throw DocumentIoError("position outside the document file");
}

std::int64_t RecordReader::position() const {
    return std::ftell(file_.get()) + 1;
}

std::string RecordReader::readBytes(std::size_t n) {
    if (std::int64_t(n) > length_ - position() + 1)
        throw DocumentIoError("record runs past the end of the document file");
    std::string out(n, '\0');
    if (std::fread(out.data(), 1, n, file_.get()) != n)
        throw DocumentIoError("cannot read the document file");
    return out;
}

std::int16_t RecordReader::readInteger() {
    return decodeInteger(readBytes(2).data());
}
std::int32_t RecordReader::readLong() {
    return decodeLong(readBytes(4).data());
}
float RecordReader::readSingle() {
    return decodeSingle(readBytes(4).data());
}

std::vector<Point> RecordReader::readPoints() {
    const std::int16_t n = readInteger();
    if (n < 0)
        throw DocumentIoError("negative point count");
    const std::string bytes = readBytes(std::size_t(n) * 8);
    auto points = std::vector<Point>(std::size_t(n));
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = {decodeSingle(bytes.data() + 8 * i), decodeSingle(bytes.data() + 8 * i + 4)};
    return points;
}

DocumentHeader RecordReader::readHeader() {
    seek(1);
    const std::string bytes = readBytes(kHeaderSize);
    DocumentHeader h;
    h.pageCount = decodeInteger(bytes.data() + kPageCountPosition - 1);
    h.pageWidth = decodeSingle(bytes.data() + kPageWidthPosition - 1);
    h.pageHeight = decodeSingle(bytes.data() + kPageHeightPosition - 1);
    h.title = bytes.substr(kTitlePosition - 1, kTitleLength);
    h.author = bytes.substr(kAuthorPosition - 1, kAuthorLength);
    h.comment = bytes.substr(kCommentPosition - 1, kCommentLength);
    return h;
}

Record RecordReader::readFields(std::int16_t code) {
    Record r{code, {}};
    const auto layout = recordLayout(code);
    r.fields.reserve(layout.size());
    for (FieldKind kind : layout) {
        switch (kind) {
        case FieldKind::Integer:
            r.fields.emplace_back(readInteger());
            break;
        case FieldKind::Long:
            r.fields.emplace_back(readLong());
            break;
        case FieldKind::Single:
            r.fields.emplace_back(readSingle());
            break;
        case FieldKind::Text: {
            const std::int16_t n = readInteger();
            if (n < 0)
                throw DocumentIoError("negative text length");
            r.fields.emplace_back(readBytes(std::size_t(n)));
            break;
        }
        case FieldKind::Bytes: {
            const std::int32_t n = readLong();
            if (n < 0)
                throw DocumentIoError("negative picture length");
            r.fields.emplace_back(readBytes(std::size_t(n)));
            break;
        }
        case FieldKind::Points:
            r.fields.emplace_back(readPoints());
            break;
        }
    }
    return r;
}

void RecordReader::copyFields(std::int16_t code, DocumentFile& out) {
    const auto layout = recordLayout(code);
    std::vector<Field> fields;
    fields.reserve(layout.size());
    // Owners of the variable parts, alive until the record is written.
    std::vector<std::string> texts;
    texts.reserve(layout.size());
    std::vector<Point> points;
    for (FieldKind kind : layout) {
        switch (kind) {
        case FieldKind::Integer:
            fields.emplace_back(readInteger());
            break;
        case FieldKind::Long:
            fields.emplace_back(readLong());
            break;
        case FieldKind::Single:
            fields.emplace_back(readSingle());
            break;
        case FieldKind::Text: {
            const std::int16_t n = readInteger();
            if (n < 0)
                throw DocumentIoError("negative text length");
            texts.push_back(readBytes(std::size_t(n)));
            fields.emplace_back(std::string_view(texts.back()));
            break;
        }
        case FieldKind::Points:
            points = readPoints();
            fields.emplace_back(std::span<const Point>(points));
            break;
        case FieldKind::Bytes: {
            const std::int32_t n = readLong();
            if (n < 0 || n > length_ - position() + 1)
                throw DocumentIoError("picture runs past the end of the document file");
            fields.emplace_back(ByteSource{file_.get(), n});
            break;
        }
        }
    }
    out.append(code, fields);
}

DocumentReader::DocumentReader(const std::filesystem::path& path) : reader_(path) {
    header_ = reader_.readHeader();
    if (header_.pageCount < 1 ||
        4 * std::int64_t(header_.pageCount) + 2 + kHeaderSize > reader_.length())
        throw DocumentIoError("page table does not fit the document file");
}

std::int32_t DocumentReader::pageStart(int k) {
    if (k < 1 || k > header_.pageCount)
        throw DocumentIoError("no such page");
    reader_.seek(pageTableEntryPosition(reader_.length(), header_.pageCount, k));
    return reader_.readLong();
}

std::vector<Record> DocumentReader::readPage(int k) {
    reader_.seek(pageStart(k));
    std::vector<Record> records;
    for (;;) {
        const std::int16_t code = reader_.readInteger();
        if (code == std::int16_t(RecordCode::PageBreak) ||
            code == std::int16_t(RecordCode::EndOfDocument))
            return records;
        if (!isRecordCode(code))
            throw DocumentIoError("unknown record code " + std::to_string(code));
        records.push_back(reader_.readFields(code));
    }
}

std::optional<OpenFault> checkDocumentFile(const std::filesystem::path& path) {
    if (trimmed(path.string()).empty())
        return OpenFault::EmptyPath;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return OpenFault::Missing;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return OpenFault::Missing;
    if (size < std::uintmax_t(kMinimumDocumentSize))
        return OpenFault::TooShort;
    try {
        RecordReader reader(path);
        if (reader.readBytes(kSignature.size()) != kSignature)
            return OpenFault::NotDocument;
        if (size < std::uintmax_t(kHeaderSize))
            return OpenFault::NotDocument;
        const DocumentHeader h = reader.readHeader();
        const std::int64_t table = reader.length() - 4 * std::int64_t(h.pageCount) + 1;
        // The end record sits just before the table; every page starts inside the records.
        if (h.pageCount < 1 || table - 2 < kFirstPageStart)
            return OpenFault::NotDocument;
        reader.seek(table - 2);
        if (reader.readInteger() != std::int16_t(RecordCode::EndOfDocument))
            return OpenFault::NotDocument;
        std::int32_t previous = kFirstPageStart;
        for (int k = 1; k <= h.pageCount; ++k) {
            const std::int32_t start = reader.readLong();
            if ((k == 1 && start != kFirstPageStart) || start < previous || start > table - 2)
                return OpenFault::NotDocument;
            previous = start;
        }
    } catch (const DocumentIoError&) {
        return OpenFault::NotDocument;
    }
    return std::nullopt;
}

} // namespace docuvel
