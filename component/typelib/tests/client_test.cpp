// A client of the component, as the program is: it loads libdv40032 through the class registry
// and drives a document through the interface and by name, without linking the component.

#include "component/typelib/Docuvel40.h"
#include "component/typelib/_Docuvel.h"
#include "platform/com/ClassLoader.h"
#include "platform/com/Registry.h"
#include "platform/host/TestApplication.h"
#include "platform/host/printer/Printer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using com::Variant;

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

template <class T> std::string le(T v) {
    std::string s(sizeof v, '\0');
    std::memcpy(s.data(), &v, sizeof v);
    return s;
}

class ClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        host::testApplication();
        host::setPrinterSources(host::PrinterSources::PdfOnly);
        registry_ = new QTemporaryDir;
        setenv(com::kRegistryVariable, registry_->path().toLocal8Bit().constData(), 1);
        ASSERT_TRUE(com::registerLibrary(DV40032_LIBRARY));
    }
    static void TearDownTestSuite() {
        com::unregisterLibrary(DV40032_LIBRARY);
        delete registry_;
    }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

    static QTemporaryDir* registry_;
    QTemporaryDir dir_;
};

QTemporaryDir* ClientTest::registry_ = nullptr;

TEST_F(ClientTest, RegistrationNamesTheLibrary) {
    const auto library = com::registeredLibrary(docuvel::kDocuvelClassName);
    ASSERT_TRUE(library);
    EXPECT_EQ(std::filesystem::canonical(*library), std::filesystem::canonical(DV40032_LIBRARY));
}

TEST_F(ClientTest, DrivesADocumentThroughTheInterfaceAndByName) {
    const auto saved = file("client.dvd");
    {
        com::Ptr<com::Dispatch> object = com::createObject(docuvel::kDocuvelClassName);
        com::Ptr<docuvel::_Docuvel> doc = object.query<docuvel::_Docuvel>();
        ASSERT_TRUE(doc);
        doc->let_UnitOfMeasure(2);
        doc->DrawLine(2.54f, 0, 2.54f, 5.08f);

        std::vector<Variant> rect{Variant(std::int16_t(1)), Variant(std::int16_t(1)), Variant(0.5)};
        EXPECT_TRUE(object->invoke("drawrectangle", com::InvokeKind::Method, rect).ok());
        std::vector<Variant> none;
        const auto unit = object->invoke("UnitOfMeasure", com::InvokeKind::PropertyGet, none);
        EXPECT_EQ(unit.value, Variant(std::int16_t(2)));

        std::vector<Variant> badPen{Variant("5")};
        const auto failed = object->invoke("SetPen", com::InvokeKind::Method, badPen);
        ASSERT_TRUE(failed.error);
        EXPECT_EQ(failed.error->number, 154);
        try {
            doc->DrawPolygon();
            ADD_FAILURE() << "no error";
        } catch (const com::Error& e) {
            EXPECT_EQ(e.number(), 149);
        }
        std::vector<Variant> save{Variant(saved.string())};
        EXPECT_TRUE(object->invoke("SaveDoc", com::InvokeKind::Method, save).ok());
    }
    EXPECT_EQ(com::freeUnusedLibraries(), 1u);

    std::string want = readAll(saved).substr(0, 403);
    want += le<std::int16_t>(101) + le(1.f) + le<std::int32_t>(0) + le<std::int16_t>(0);
    want += le<std::int16_t>(10) + le(1.f) + le(0.f) + le(1.f) + le(2.f);
    want += le<std::int16_t>(102) + le<std::int16_t>(1) + le<std::int32_t>(0xFFFFFF) +
            le<std::int32_t>(0xFFFFFF);
    want += le<std::int16_t>(30) + le(float(0.5 / 2.54)) + le(float(0.5 / 2.54)) +
            le(float(double(1.5f) / 2.54)) + le(float(double(1.5f) / 2.54));
    want += le<std::int16_t>(200) + le<std::int32_t>(404);
    EXPECT_EQ(readAll(saved), want);
    EXPECT_EQ(readAll(saved).substr(0, 38), "[Docuvel\xAE Document / Version 4 Format]");
}

TEST_F(ClientTest, UnknownMembersAndNoPrinter) {
    com::Ptr<com::Dispatch> object = com::createObject(docuvel::kDocuvelClassName);
    std::vector<Variant> none;
    const auto r = object->invoke("PreviewDoc", com::InvokeKind::Method, none);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->number, 438);
    object.reset();

    host::setPrinterSources(host::PrinterSources::None);
    try {
        com::createObject(docuvel::kDocuvelClassName);
        ADD_FAILURE() << "created without a printer";
    } catch (const com::Error& e) {
        EXPECT_EQ(e.number(), 163);
    }
    host::setPrinterSources(host::PrinterSources::PdfOnly);
}

TEST_F(ClientTest, TheLibraryExportsOnlyItsEntryPoints) {
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", DV40032_LIBRARY});
    if (!nm.waitForFinished(30000) || nm.exitCode() != 0)
        GTEST_SKIP() << "nm is not available";
    QStringList functions;
    for (const QString& line : QString::fromLocal8Bit(nm.readAllStandardOutput()).split('\n')) {
        const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
        if (parts.size() == 3 && parts[1] == "T")
            functions << parts[2];
    }
    functions.sort();
    EXPECT_EQ(functions, QStringList({"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                      "DllUnregisterServer"}));
}

} // namespace
