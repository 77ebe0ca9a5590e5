#pragma once
// A fresh document object for each test, and ways to look at what it wrote.

#include "component/document/Docuvel.h"
#include "component/document/ErrorTexts.h"
#include "component/document/tests/Bytes.h"
#include "platform/host/TestApplication.h"
#include "platform/host/printer/Printer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace docuvel::test {

using com::Variant;

class DocuvelTest : public ::testing::Test {
protected:
    DocuvelTest()
        : app_(
              (host::testApplication(), host::setPrinterSources(host::PrinterSources::PdfOnly), 0)),
          object_(new Docuvel(lock_)), doc_(com::Ptr<_Docuvel>::adopt(object_)) {}

    _Docuvel& doc() { return *doc_; }
    Docuvel& object() { return *object_; }

    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

    // Finishes the document and returns the records of all pages, page breaks included, without
    // header, end record and page table.
    std::string body() {
        object_->finishDocument();
        const std::string bytes = readAll(object_->documentPath());
        const std::size_t pages = std::size_t(decodeInteger(bytes.data() + 38));
        return bytes.substr(403, bytes.size() - 403 - 2 - 4 * pages);
    }

    // Finishes the document and returns the record codes of page k.
    std::vector<std::int16_t> codes(int page = 1) {
        object_->finishDocument();
        DocumentReader reader(object_->documentPath());
        std::vector<std::int16_t> out;
        for (const Record& r : reader.readPage(page))
            out.push_back(r.code);
        return out;
    }

    std::vector<Record> records(int page = 1) {
        object_->finishDocument();
        return DocumentReader(object_->documentPath()).readPage(page);
    }

    // The call raises `number` with its table text and writes nothing.
    void expectError(int number, const std::function<void()>& call, int variant = 0) {
        expectErrorText(number, std::string(errorText(number, variant)), call);
    }

    void expectErrorText(int number, const std::string& text, const std::function<void()>& call) {
        const auto before = object_->documentLength();
        try {
            call();
            ADD_FAILURE() << "no error, expected " << number;
        } catch (const com::Error& e) {
            EXPECT_EQ(e.number(), number);
            EXPECT_EQ(e.description(), text);
        }
        EXPECT_EQ(object_->documentLength(), before) << "error " << number << " wrote records";
    }

    static Bytes pen(float width = 1, std::int32_t color = 0) {
        Bytes b;
        b.i16(101).f32(width).i32(color).i16(0);
        return b;
    }
    static Bytes fill(std::int16_t style = 1, std::int32_t color = 0xFFFFFF,
                      std::int32_t back = 0xFFFFFF) {
        Bytes b;
        b.i16(102).i16(style).i32(color).i32(back);
        return b;
    }
    static Bytes font(std::string_view name = "\xAE", float size = 10, std::string_view code = "",
                      std::int32_t color = 0, std::int32_t back = 1) {
        Bytes b;
        b.i16(100).counted(name).f32(size).counted(code).i32(color).i32(back);
        return b;
    }

    int app_;
    QTemporaryDir dir_;
    com::ServerLock lock_;
    Docuvel* object_;
    com::Ptr<_Docuvel> doc_;
};

} // namespace docuvel::test
