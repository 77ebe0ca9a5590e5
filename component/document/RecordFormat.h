#pragma once
// The document file layout: the header and every record, as one table that the writer, the
// template-page copier and the renderer all read. Little-endian; Integer 16-bit, Long 32-bit,
// Single IEEE float; positions 1-based.

#include <cstdint>
#include <span>
#include <string_view>

namespace docuvel {

// Cp1252 bytes; 0xAE is the registered sign.
inline constexpr std::string_view kSignature = "[Docuvel\xAE Document / Version 4 Format]";
inline constexpr std::string_view kSignaturePrefix = "[Docuvel";

inline constexpr int kHeaderSize = 403;
inline constexpr std::int32_t kFirstPageStart = 404;
inline constexpr int kMinimumDocumentSize = 300;

// 1-based positions of the header fields.
inline constexpr int kPageCountPosition = 39;
inline constexpr int kPageWidthPosition = 41;
inline constexpr int kPageHeightPosition = 45;
inline constexpr int kTitlePosition = 49;
inline constexpr int kAuthorPosition = 99;
inline constexpr int kCommentPosition = 149;
inline constexpr int kTitleLength = 50;
inline constexpr int kAuthorLength = 50;
inline constexpr int kCommentLength = 255;

enum class RecordCode : std::int16_t {
    Line = 10,
    LineTo = 11,
    Location = 12,
    Ellipse = 20,
    ClipEllipse = 21,
    Rectangle = 30,
    ClipRectangle = 31,
    RoundRectangle = 40,
    ClipRoundRectangle = 41,
    Polygon = 50,
    ClipPolygon = 51,
    Triangle = 60,
    ClipTriangle = 61,
    FloodFill = 70,
    Picture = 80,
    Text = 90,
    WrapText = 91,
    RotatedText = 92,
    Font = 100,
    Pen = 101,
    Fill = 102,
    StopClipping = 190,
    PageBreak = 199,
    EndOfDocument = 200,
};

inline constexpr std::int16_t kLowestRecordCode = 10;
inline constexpr std::int16_t kHighestRecordCode = 200;

enum class FieldKind : std::uint8_t {
    Integer, // 16-bit
    Long,    // 32-bit
    Single,  // float
    Text,    // Integer length, then that many bytes
    Bytes,   // Long length, then that many bytes (a picture file)
    Points,  // Integer count, then count pairs of Singles
};

// The fields that follow a record's code, in file order. Codes from 10 to 200 that are not in
// the table carry no fields.
std::span<const FieldKind> recordLayout(std::int16_t code);

inline constexpr bool isRecordCode(std::int16_t code) {
    return code >= kLowestRecordCode && code <= kHighestRecordCode;
}

// Face names the font record stores as one byte.
inline constexpr char kTimesNewRomanByte = '\xAE';
inline constexpr char kArialByte = '\xAF';
inline constexpr int kMaxFaceLength = 31;

// Transparent in a background field.
inline constexpr std::int32_t kTransparent = 1;

} // namespace docuvel
