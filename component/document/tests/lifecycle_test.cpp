#include "component/document/tests/DocuvelFixture.h"

#include "platform/host/TestApplication.h"
#include "platform/host/printer/Printer.h"

namespace docuvel::test {
namespace {

using LifecycleTest = DocuvelTest;

TEST_F(LifecycleTest, ANewDocumentIsATemporaryFileWithAHeader) {
    const auto path = object().documentPath();
    EXPECT_EQ(path.filename().string().rfind("dvc", 0), 0u);
    EXPECT_EQ(path.extension(), ".tmp");
    object().finishDocument();
    EXPECT_EQ(hex(readAll(path)), hex(header().i16(200).i32(404).str()));
}

TEST_F(LifecycleTest, DrawingAfterFinishingReopensAndContinuesTheLastPage) {
    doc().NewPage();
    doc().DrawLine(1, 1, 2, 2);
    object().finishDocument();
    const auto finished = std::filesystem::file_size(object().documentPath());
    doc().DrawLine(3, 3, 4, 4);
    EXPECT_EQ(object().documentLength(), std::int64_t(finished) - 2 - 8 + 19 + 12 + 12 + 18);
    EXPECT_EQ(codes(2), (std::vector<std::int16_t>{101, 10, 100, 101, 102, 10}));
    EXPECT_EQ(doc().get_PageNumber(), 2);
}

TEST_F(LifecycleTest, ReleasingATemporaryDocumentLeavesNoFile) {
    com::ServerLock lock;
    auto* other = new Docuvel(lock);
    const auto path = other->documentPath();
    other->DrawLine(1, 1, 2, 2);
    EXPECT_TRUE(std::filesystem::exists(path));
    other->release();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(lock.count(), 0);
}

TEST_F(LifecycleTest, SaveDocMovesATemporaryDocumentAndIsCompleteOnRelease) {
    const auto temporary = object().documentPath();
    doc().DrawLine(1, 1, 2, 2);
    doc().SaveDoc(temporary.string(), {}); // same path: nothing happens
    EXPECT_EQ(object().documentPath(), temporary);
    const auto saved = file("saved.dvd");
    doc().SaveDoc(saved.string(), {});
    EXPECT_FALSE(std::filesystem::exists(temporary));
    doc().NewPage();
    doc_.reset();
    Bytes want = header(2);
    want.add(pen()).i16(10).f32(1).f32(1).f32(2).f32(2).i16(199).i16(200).i32(404).i32(404 + 12 +
                                                                                       18 + 2);
    EXPECT_EQ(hex(readAll(saved)), hex(want.str()));
}

TEST_F(LifecycleTest, SaveDocErrors) {
    writeAll(file("exists.dvd"), "x");
    expectError(210, [&] { doc().SaveDoc(file("exists.dvd").string(), Variant(std::int16_t(1))); });
    expectError(211, [&] { doc().SaveDoc("  ", {}); });
    expectError(212, [&] { doc().SaveDoc(file("exists.dvd").string(), {}); });
    expectError(212, [&] { doc().SaveDoc(file("exists.dvd").string(), Variant(false)); });
    EXPECT_NE(errorText(212).find("overwritten.\r\rUse the TRUE"), std::string_view::npos);
    doc().SaveDoc(file("exists.dvd").string(), Variant(true));
    EXPECT_EQ(object().documentPath(), file("exists.dvd"));
}

TEST_F(LifecycleTest, SavingIntoAMissingFolderKeepsTheDocument) {
    const auto temporary = object().documentPath();
    doc().DrawLine(1, 1, 2, 2);
    EXPECT_THROW(doc().SaveDoc(file("no/such/folder.dvd").string(), {}), com::Error);
    EXPECT_EQ(object().documentPath(), temporary);
    doc().DrawLine(3, 3, 4, 4);
    EXPECT_EQ(codes(), (std::vector<std::int16_t>{101, 10, 10}));
}

TEST_F(LifecycleTest, OpenDocErrorsChangeNothing) {
    writeAll(file("short"), std::string(299, 'x'));
    writeAll(file("other"), std::string(500, 'x'));
    doc().DrawLine(1, 1, 2, 2);
    expectError(192, [&] { doc().OpenDoc("   "); });
    expectError(193, [&] { doc().OpenDoc(file("none").string()); });
    expectError(194, [&] { doc().OpenDoc(file("short").string()); });
    expectError(195, [&] { doc().OpenDoc(file("other").string()); });
    EXPECT_TRUE(object().isOpen());
}

TEST_F(LifecycleTest, OpenDocContinuesASavedDocumentWithTheClientsSettings) {
    {
        com::ServerLock lock;
        auto* writer = new Docuvel(lock);
        writer->let_Title("Saved");
        writer->let_PageWidth(11);
        writer->DrawLine(1, 1, 2, 2);
        writer->NewPage();
        writer->SaveDoc(file("saved.dvd").string(), {});
        writer->release();
    }
    const auto temporary = object().documentPath();
    doc().SetPen(Variant(std::int16_t(3)), {});
    doc().OpenDoc(file("saved.dvd").string());
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(doc().get_Title(), "Saved");
    EXPECT_EQ(doc().get_PageWidth(), 11.f);
    EXPECT_EQ(doc().get_PageNumber(), 2);
    doc().DrawLine(5, 5, 6, 6);
    EXPECT_EQ(codes(1), (std::vector<std::int16_t>{101, 10}));
    EXPECT_EQ(codes(2), (std::vector<std::int16_t>{100, 101, 102, 10}));
    EXPECT_EQ(records(2)[1].single(0), 3.f);
}

TEST_F(LifecycleTest, ReInitialisingStartsAFreshDocument) {
    const auto first = object().documentPath();
    doc().let_UnitOfMeasure(3);
    doc().DrawLine(1, 1, 2, 2);
    doc().Class_Initialize();
    EXPECT_NE(object().documentPath(), first);
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_EQ(doc().get_UnitOfMeasure(), 1);
    EXPECT_EQ(body(), "");
}

TEST_F(LifecycleTest, ANamedDocumentLeftBySaveDocStaysComplete) {
    doc().DrawLine(1, 1, 2, 2);
    doc().SaveDoc(file("a.dvd").string(), {});
    doc().DrawClipRectangle(1, 1, 2, 2.f);
    doc().SaveDoc(file("b.dvd").string(), {});
    EXPECT_EQ(checkDocumentFile(file("a.dvd")), std::nullopt);
    DocumentReader a(file("a.dvd"));
    std::vector<std::int16_t> codesOfA;
    for (const Record& r : a.readPage(1))
        codesOfA.push_back(r.code);
    EXPECT_EQ(codesOfA, (std::vector<std::int16_t>{101, 10, 102, 31, 190}));
    doc().StopClipping();
    EXPECT_EQ(codes(), (std::vector<std::int16_t>{101, 10, 102, 31, 190}));
}

TEST_F(LifecycleTest, OpeningTheOwnWorkingDocumentFinishesItFirst) {
    doc().DrawLine(1, 1, 2, 2);
    doc().OpenDoc(object().documentPath().string());
    EXPECT_EQ(codes(), (std::vector<std::int16_t>{101, 10, 100, 101, 102}));
}

TEST(CreationTest, NoPrinterMeansError163) {
    host::testApplication();
    const auto sources = host::printerSources();
    host::setPrinterSources(host::PrinterSources::None);
    com::ServerLock lock;
    try {
        new Docuvel(lock);
        ADD_FAILURE() << "created without a printer";
    } catch (const com::Error& e) {
        EXPECT_EQ(e.number(), 163);
        EXPECT_EQ(e.description(),
                  "No printing device is installed or defaulted on this computer!");
    }
    host::setPrinterSources(sources);
    EXPECT_EQ(lock.count(), 0);
}

} // namespace
} // namespace docuvel::test
