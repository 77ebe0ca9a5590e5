// A large document written by the document object, beside a plain loop that writes the same
// bytes with buffered file output. The object should stay within twice the plain loop's time.

#include "component/document/Docuvel.h"
#include "component/document/RecordFormat.h"
#include "platform/host/printer/Printer.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kLines = 1'000'000;
constexpr int kTexts = 100'000;
constexpr int kPictures = 20;
constexpr std::size_t kPictureSize = 100'000;

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

std::string picturePath() {
    const std::string path = workDir().path().toStdString() + "/picture.bmp";
    static const bool written = [&] {
        std::string bytes(kPictureSize, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 31);
        bytes[0] = 'B';
        bytes[1] = 'M';
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return true;
    }();
    (void)written;
    return path;
}

std::string textOf(int i) {
    return "Line " + std::to_string(i);
}

// Writes the document through the object; with a target, saves it there too.
void writeWithObject(const std::string& target = {}) {
    com::ServerLock lock;
    auto* doc = new docuvel::Docuvel(lock);
    for (int i = 0; i < kLines; ++i)
        doc->DrawLine(1, float(i % 1000) / 100, 7, float(i % 1000) / 100);
    for (int i = 0; i < kTexts; ++i)
        doc->DrawText(textOf(i), 1, 1, {}, {}, {});
    const std::string picture = picturePath();
    for (int i = 0; i < kPictures; ++i)
        doc->DrawPicture(picture, 1, 1, com::Variant(2.0), com::Variant(2.0));
    if (!target.empty()) {
        std::remove(target.c_str());
        doc->SaveDoc(target, {});
    }
    doc->finishDocument();
    doc->release(); // a temporary document is deleted, a saved one stays
}

class Out {
public:
    explicit Out(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {
        std::setvbuf(f_, buffer_, _IOFBF, sizeof buffer_);
    }
    ~Out() { std::fclose(f_); }
    void raw(const void* p, std::size_t n) { std::fwrite(p, 1, n, f_); }
    void i16(std::int16_t v) { raw(&v, 2); }
    void i32(std::int32_t v) { raw(&v, 4); }
    void f32(float v) { raw(&v, 4); }
    long tell() { return std::ftell(f_); }
    void seek(long at) { std::fseek(f_, at, SEEK_SET); }
    void end() { std::fseek(f_, 0, SEEK_END); }

private:
    std::FILE* f_;
    char buffer_[1 << 16];
};

// The same bytes by hand.
void writePlain(const std::string& path) {
    Out out(path);
    out.raw(docuvel::kSignature.data(), docuvel::kSignature.size());
    out.i16(1);
    out.f32(8.5f);
    out.f32(11.f);
    const std::string blanks(355, ' ');
    out.raw(blanks.data(), blanks.size());
    out.i16(101);
    out.f32(1);
    out.i32(0);
    out.i16(0);
    for (int i = 0; i < kLines; ++i) {
        const float y = float(i % 1000) / 100;
        out.i16(10);
        out.f32(1);
        out.f32(y);
        out.f32(7);
        out.f32(y);
    }
    const auto font = [&] {
        out.i16(100);
        out.i16(1);
        out.raw("\xAE", 1);
        out.f32(10);
        out.i16(0);
        out.i32(0);
        out.i32(1);
    };
    font();
    for (int i = 0; i < kTexts; ++i) {
        const std::string t = textOf(i);
        out.i16(90);
        out.f32(1);
        out.f32(1);
        out.f32(0);
        out.i16(1);
        out.i16(std::int16_t(t.size()));
        out.raw(t.data(), t.size());
        out.i16(4);
    }
    char block[5000];
    for (int i = 0; i < kPictures; ++i) {
        out.i16(80);
        out.f32(1);
        out.f32(1);
        out.f32(2);
        out.f32(2);
        out.i32(std::int32_t(kPictureSize));
        std::FILE* in = std::fopen(picturePath().c_str(), "rb");
        for (std::size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;)
            out.raw(block, n);
        std::fclose(in);
        font();
        out.i16(101);
        out.f32(1);
        out.i32(0);
        out.i16(0);
    }
    out.i16(200);
    out.seek(38);
    out.i16(1);
    out.end();
    out.i32(404);
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void BM_DocumentObject(benchmark::State& state) {
    for (auto _ : state)
        writeWithObject();
    const std::string target = workDir().path().toStdString() + "/object.dvd";
    writeWithObject(target); // for the comparison with the plain loop
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(std::filesystem::file_size(target)));
}

void BM_PlainBufferedLoop(benchmark::State& state) {
    const std::string target = workDir().path().toStdString() + "/plain.dvd";
    for (auto _ : state)
        writePlain(target);
    const std::string object = workDir().path().toStdString() + "/object.dvd";
    if (std::filesystem::exists(object) && readAll(object) != readAll(target))
        state.SkipWithError("the plain loop does not write the object's bytes");
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(std::filesystem::file_size(target)));
}

BENCHMARK(BM_DocumentObject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainBufferedLoop)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    host::setPrinterSources(host::PrinterSources::PdfOnly);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
