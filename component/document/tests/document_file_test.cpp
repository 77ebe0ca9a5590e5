#include "component/document/DocumentFile.h"
#include "component/document/tests/Bytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace docuvel {
namespace {

using test::Bytes;
using test::hex;
using test::readAll;

class DocumentFileTest : public ::testing::Test {
protected:
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }
    QTemporaryDir dir_;
};

TEST_F(DocumentFileTest, EmptyDocumentIsHeaderEndRecordAndOneTableEntry) {
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    EXPECT_EQ(doc.length(), 403);
    doc.finish(std::vector<std::int32_t>{404});
    const std::string bytes = readAll(file("a.dvd"));
    ASSERT_EQ(bytes.size(), 409u);
    EXPECT_EQ(hex(bytes), hex(test::header().i16(200).i32(404).str()));
}

TEST_F(DocumentFileTest, RecordsFollowTheirLayout) {
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    const Point points[] = {{1, 2}, {3, 4}, {5, 6}};
    doc.append(RecordCode::Line, {1.f, 0.f, 1.f, 2.f});
    doc.append(RecordCode::Polygon, {std::span<const Point>(points)});
    doc.append(RecordCode::Text,
               {1.f, 2.f, 0.f, std::int16_t(1), std::string_view("Hi"), std::int16_t(4)});
    doc.append(RecordCode::Font, {std::string_view("\xAE"), 10.f, std::string_view("bi"),
                                  std::int32_t(0), std::int32_t(1)});
    doc.append(RecordCode::Pen, {1.f, std::int32_t(255), std::int16_t(0)});
    doc.append(RecordCode::Fill, {std::int16_t(3), std::int32_t(0xFFFFFF), std::int32_t(1)});
    doc.append(RecordCode::PageBreak, {});
    doc.close();
    Bytes want = test::header();
    want.i16(10).f32(1).f32(0).f32(1).f32(2);
    want.i16(50).i16(3).f32(1).f32(2).f32(3).f32(4).f32(5).f32(6);
    want.i16(90).f32(1).f32(2).f32(0).i16(1).counted("Hi").i16(4);
    want.i16(100).counted("\xAE").f32(10).counted("bi").i32(0).i32(1);
    want.i16(101).f32(1).i32(255).i16(0);
    want.i16(102).i16(3).i32(0xFFFFFF).i32(1);
    want.i16(199);
    EXPECT_EQ(hex(readAll(file("a.dvd"))), hex(want.str()));
}

TEST_F(DocumentFileTest, AFieldListThatDoesNotMatchTheLayoutIsRefused) {
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    EXPECT_THROW(doc.append(RecordCode::Line, {1.f, 2.f}), std::logic_error);
    EXPECT_EQ(doc.length(), 403);
}

TEST_F(DocumentFileTest, PictureBytesAreCopiedUnchanged) {
    std::string picture(12345, '\0');
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = char(i * 7);
    test::writeAll(file("p.bin"), picture);
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    FileHandle in(std::fopen(file("p.bin").c_str(), "rb"));
    doc.append(RecordCode::Picture, {1.f, 1.f, 0.f, 0.f, ByteSource{in.get(), 12345}});
    doc.close();
    Bytes want = test::header();
    want.i16(80).f32(1).f32(1).f32(0).f32(0).i32(12345).text(picture);
    EXPECT_EQ(readAll(file("a.dvd")), want.str());
}

TEST_F(DocumentFileTest, HeaderFieldsAreRewrittenInPlace) {
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    doc.append(RecordCode::PageBreak, {});
    doc.writeSingleAt(kPageWidthPosition, 11.f);
    doc.writeTextAt(kCommentPosition, "Hi" + std::string(253, ' '));
    doc.append(RecordCode::PageBreak, {});
    doc.close();
    Bytes want;
    want.text("[Docuvel\xAE Document / Version 4 Format]").i16(1).f32(11).f32(11);
    want.spaces(100).text("Hi").spaces(253).i16(199).i16(199);
    EXPECT_EQ(hex(readAll(file("a.dvd"))), hex(want.str()));
}

TEST_F(DocumentFileTest, ReopeningCutsEndRecordAndTableAndContinuesTheLastPage) {
    DocumentHeader h;
    h.title = "T" + std::string(49, ' ');
    auto doc = DocumentFile::create(file("a.dvd"), h);
    doc.append(RecordCode::Line, {1.f, 1.f, 2.f, 2.f});
    doc.append(RecordCode::PageBreak, {});
    const std::int32_t second = std::int32_t(doc.length() + 1);
    doc.append(RecordCode::Line, {3.f, 3.f, 4.f, 4.f});
    const auto before = doc.length();
    doc.finish(std::vector<std::int32_t>{404, second});
    EXPECT_EQ(std::filesystem::file_size(file("a.dvd")), std::uintmax_t(before + 2 + 8));

    auto reopened = DocumentFile::reopen(file("a.dvd"));
    EXPECT_EQ(reopened.header.pageCount, 2);
    EXPECT_EQ(reopened.header.title, h.title);
    EXPECT_EQ(reopened.pageStarts, (std::vector<std::int32_t>{404, second}));
    EXPECT_EQ(reopened.file.length(), before);
    reopened.file.append(RecordCode::LineTo, {5.f, 5.f});
    reopened.file.finish(reopened.pageStarts);

    DocumentReader reader(file("a.dvd"));
    ASSERT_EQ(reader.pageCount(), 2);
    const auto page2 = reader.readPage(2);
    ASSERT_EQ(page2.size(), 2u);
    EXPECT_EQ(page2[0].code, 10);
    EXPECT_EQ(page2[1].code, 11);
    EXPECT_EQ(page2[1].single(0), 5.f);
    EXPECT_EQ(reader.readPage(1).size(), 1u);
}

TEST_F(DocumentFileTest, LastPageEntryIsTheLastFourBytes) {
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    doc.append(RecordCode::PageBreak, {});
    doc.append(RecordCode::PageBreak, {});
    doc.finish(std::vector<std::int32_t>{404, 406, 408});
    const std::string bytes = readAll(file("a.dvd"));
    EXPECT_EQ(decodeLong(bytes.data() + bytes.size() - 4), 408);
    EXPECT_EQ(pageTableEntryPosition(std::int64_t(bytes.size()), 3, 3),
              std::int64_t(bytes.size()) - 3);
    DocumentReader reader(file("a.dvd"));
    EXPECT_EQ(reader.pageStart(3), 408);
    EXPECT_TRUE(reader.readPage(3).empty());
}

TEST_F(DocumentFileTest, EveryRecordCopiesToTheSameBytes) {
    test::writeAll(file("p.bin"), "picture bytes");
    auto doc = DocumentFile::create(file("src.dvd"), DocumentHeader{});
    FileHandle in(std::fopen(file("p.bin").c_str(), "rb"));
    const Point points[] = {{1, 2}, {3, 4}, {5, 6}};
    const std::string_view t = "text";
    doc.append(RecordCode::Line, {1.f, 2.f, 3.f, 4.f});
    doc.append(RecordCode::LineTo, {1.f, 2.f});
    doc.append(RecordCode::Location, {1.f, 2.f});
    doc.append(RecordCode::ClipEllipse, {1.f, 2.f, 3.f, 4.f});
    doc.append(RecordCode::RoundRectangle, {1.f, 2.f, 3.f, 4.f, 5.f, 6.f});
    doc.append(RecordCode::ClipPolygon, {std::span<const Point>(points)});
    doc.append(RecordCode::Triangle, {1.f, 2.f, 3.f, 4.f, 5.f, 6.f});
    doc.append(RecordCode::FloodFill, {1.f, 2.f, std::int32_t(-1)});
    doc.append(RecordCode::Picture, {1.f, 2.f, 0.f, 0.f, ByteSource{in.get(), 13}});
    doc.append(RecordCode::Text, {1.f, 2.f, 3.f, std::int16_t(2), t, std::int16_t(3)});
    doc.append(RecordCode::WrapText, {1.f, 2.f, 3.f, 4.f, std::int16_t(2), t, std::int16_t(3)});
    doc.append(RecordCode::RotatedText, {1.f, 2.f, std::int16_t(2), t, std::int16_t(90)});
    doc.append(RecordCode::Font, {std::string_view("Courier New"), 12.f, std::string_view("bu"),
                                  std::int32_t(5), std::int32_t(1)});
    doc.append(RecordCode::Pen, {1.f, std::int32_t(0), std::int16_t(0)});
    doc.append(RecordCode::Fill, {std::int16_t(1), std::int32_t(0), std::int32_t(0)});
    doc.append(RecordCode::StopClipping, {});
    doc.finish(std::vector<std::int32_t>{404});

    auto copy = DocumentFile::create(file("copy.dvd"), DocumentHeader{});
    RecordReader reader(file("src.dvd"));
    reader.seek(404);
    for (std::int16_t code = reader.readInteger(); code != 200; code = reader.readInteger())
        reader.copyFields(code, copy);
    copy.finish(std::vector<std::int32_t>{404});
    EXPECT_EQ(hex(readAll(file("copy.dvd"))), hex(readAll(file("src.dvd"))));
}

TEST_F(DocumentFileTest, ShorteningBeyondTheLengthCutsNothing) {
    test::writeAll(file("f"), "0123456789");
    shortenFile(file("f"), 20);
    EXPECT_EQ(readAll(file("f")), "0123456789");
    shortenFile(file("f"), 4);
    EXPECT_EQ(readAll(file("f")), "0123");
}

TEST_F(DocumentFileTest, FilesThatAreNoDocumentsAreRecognised) {
    auto good = DocumentFile::create(file("good.dvd"), DocumentHeader{});
    good.finish(std::vector<std::int32_t>{404});
    const std::string finished = readAll(file("good.dvd"));
    std::string badSignature = finished;
    badSignature[9] = 'X';
    std::string badTable = finished;
    badTable.back() = 9;
    std::string unfinished = finished.substr(0, 403) + Bytes().i16(10).f32(1).f32(1).str();
    unfinished.resize(420, '\0');
    test::writeAll(file("short"), std::string(299, 'x'));
    test::writeAll(file("sig"), badSignature);
    test::writeAll(file("table"), badTable);
    test::writeAll(file("open"), unfinished);

    struct Case {
        std::filesystem::path path;
        std::optional<OpenFault> fault;
    };
    const Case cases[] = {
        {"   ", OpenFault::EmptyPath},           {file("none"), OpenFault::Missing},
        {file("short"), OpenFault::TooShort},    {file("sig"), OpenFault::NotDocument},
        {file("table"), OpenFault::NotDocument}, {file("open"), OpenFault::NotDocument},
        {file("good.dvd"), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkDocumentFile(c.path), c.fault) << c.path;
}

TEST_F(DocumentFileTest, DamagedRecordsAreReportedNotReadPastTheEnd) {
    auto doc = DocumentFile::create(file("a.dvd"), DocumentHeader{});
    doc.append(RecordCode::Text,
               {1.f, 2.f, 0.f, std::int16_t(1), std::string_view("Hi"), std::int16_t(4)});
    doc.finish(std::vector<std::int32_t>{404});
    std::string bytes = readAll(file("a.dvd"));
    bytes[403 + 2 + 12 + 2] = 0x7F; // text length far beyond the file
    test::writeAll(file("a.dvd"), bytes);
    DocumentReader reader(file("a.dvd"));
    EXPECT_THROW(reader.readPage(1), DocumentIoError);
}

} // namespace
} // namespace docuvel
