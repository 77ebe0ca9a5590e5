#include "platform/com/DispatchTable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace com {
namespace {

// An object called by name in process, to test the conversions of the dispatch table.
class Shape : public Dispatch {
public:
    static constexpr std::string_view kInterfaceId = "Test.Shape";

    void addRef() noexcept override {}
    void release() noexcept override {}
    void* queryInterface(std::string_view) noexcept override { return nullptr; }

    float Width() const { return width_; }
    void SetWidth(float w) {
        if (w < 0)
            raise(205, "Width must not be negative.");
        width_ = w;
    }
    // One required text, one optional variant the member inspects itself.
    std::string Label(const std::string& text, const Variant& align) {
        if (align.isMissing())
            return text + "/default";
        if (align.isText())
            return text + "/" + *align.text();
        if (const auto n = align.roundedInteger())
            return text + "/" + std::to_string(*n);
        raise(214, "Alignment must be text or a number.");
    }
    void Split(const std::string& text, std::int16_t at, std::string& rest) {
        rest = text.substr(std::size_t(at));
    }
    void Fail() { throw std::runtime_error("disk full"); }

    CallResult invoke(std::string_view name, InvokeKind kind,
                      std::span<Variant> args) noexcept override {
        static const auto table = DispatchTable<Shape>()
                                      .get("Width", &Shape::Width)
                                      .put("Width", &Shape::SetWidth)
                                      .method("Label", &Shape::Label)
                                      .method("Split", &Shape::Split)
                                      .method("Fail", &Shape::Fail);
        return table.invoke(*this, name, kind, args);
    }

private:
    float width_ = 1;
};

CallResult call(Dispatch& d, std::string_view name, std::vector<Variant> args,
                InvokeKind kind = InvokeKind::Method) {
    return d.invoke(name, kind, args);
}

TEST(DispatchTable, PropertiesByNameInAnyCase) {
    Shape s;
    EXPECT_TRUE(call(s, "WIDTH", {Variant(2.5)}, InvokeKind::PropertyPut).ok());
    EXPECT_EQ(s.Width(), 2.5f);
    const auto r = call(s, "width", {}, InvokeKind::PropertyGet);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, Variant(2.5f));
    EXPECT_EQ(call(s, "Width", {}).value, Variant(2.5f)); // a reader called as a method
}

struct ErrorCase {
    const char* name;
    InvokeKind kind;
    std::vector<Variant> args;
    ErrorInfo error;
};

TEST(DispatchTable, ErrorsReachTheCallerAsNumberAndText) {
    const ErrorCase cases[] = {
        {"Width", InvokeKind::PropertyPut, {Variant(-1)}, {205, "Width must not be negative."}},
        {"Label",
         InvokeKind::Method,
         {Variant("a"), Variant(true)},
         {214, "Alignment must be text or a number."}},
        {"Fail", InvokeKind::Method, {}, {440, "Automation error: disk full"}},
        {"Height",
         InvokeKind::PropertyGet,
         {},
         {438, "Object doesn't support this property or method: Height"}},
        {"Width", InvokeKind::PropertyPut, {Variant("wide")}, {13, "Type mismatch"}},
        {"Width", InvokeKind::PropertyPut, {Variant(1e300)}, {6, "Overflow"}},
        {"Label", InvokeKind::Method, {}, {449, "Argument not optional"}},
        {"Label",
         InvokeKind::Method,
         {Variant("a"), Variant(1), Variant(2)},
         {450, "Wrong number of arguments or invalid property assignment"}},
        {"Width",
         InvokeKind::PropertyPut,
         {},
         {450, "Wrong number of arguments or invalid property assignment"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shape s;
        const auto r = call(s, c.name, c.args, c.kind);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(*r.error, c.error);
        EXPECT_EQ(s.Width(), 1.0f); // nothing changed
    }
}

TEST(DispatchTable, OptionalArgumentsArriveAsTheyWereGiven) {
    Shape s;
    EXPECT_EQ(call(s, "Label", {Variant("a")}).value, Variant("a/default"));
    EXPECT_EQ(call(s, "Label", {Variant("a"), Variant("c")}).value, Variant("a/c"));
    EXPECT_EQ(call(s, "Label", {Variant("a"), Variant(2.5)}).value, Variant("a/2"));
    EXPECT_EQ(call(s, "Label", {Variant(7), Variant()}).value, Variant("7/default"));
}

TEST(DispatchTable, TextByReferenceIsWrittenBack) {
    Shape s;
    std::string rest = "unchanged";
    const auto r = call(s, "Split", {Variant("abcdef"), Variant(2), Variant::byRef(rest)});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rest, "cdef");
}

} // namespace
} // namespace com
