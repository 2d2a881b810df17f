#include "core/conversions.h"

#include <cmath>
#include <numbers>

namespace {
constexpr long double Pi = std::numbers::pi_v<long double>;
constexpr long double DegToRad = Pi / 180.0L;
constexpr long double CurveBUnit = Pi / 190.0L;  // curve B measures its angle in pi/190 radians

uint8_t ClampByte(long double v)
{
    if (v < 0) return 0;
    if (v > 255) return 255;
    return static_cast<uint8_t>(v);
}
}  // namespace

long double RoundHalfEven(long double x)
{
    long double floorX = std::floor(x);
    long double diff = x - floorX;
    if (diff < 0.5L) return floorX;
    if (diff > 0.5L) return floorX + 1;
    return std::fmod(floorX, 2.0L) == 0 ? floorX : floorX + 1;
}

int FreqByteToHertzA(uint8_t b)
{
    long double degrees = (1.0L - b / 256.0L) * 77.0L + 9.0L;
    return static_cast<int>(RoundHalfEven(std::tan(degrees * DegToRad) * 32.0L + 25.0L));
}

uint8_t HertzToFreqByteA(int hz)
{
    long double degrees = std::atan((hz - 25) / 32.0L) / DegToRad;
    return ClampByte(RoundHalfEven(256.0L - (degrees - 9.0L) * 256.0L / 77.0L));
}

int FreqByteToHertzB(uint8_t b)
{
    long double angle = ((1.0L - b / 110.0L) * 79.0L + 9.0L) * CurveBUnit;
    return static_cast<int>(RoundHalfEven(std::tan(angle) * 32.0L)) + 50;
}

uint8_t HertzToFreqByteB(int hz)
{
    long double units = std::atan(hz / 25.0L) / CurveBUnit;
    return ClampByte(RoundHalfEven(255.0L - (units - 9.0L) * 110.0L / 35.0L));
}

QString HertzText(int hz) { return QString::number(hz) + QStringLiteral(" Hertz"); }

int ModeCodeToIndex(int code)
{
    if (code >= 8 && code <= 10) return code - 3;
    if (code == 13 || code == 14) return code - 5;
    return code;
}

int ModeIndexToCode(int index)
{
    static constexpr int codes[] = {0, 1, 2, 3, 4, 8, 9, 10, 13, 14};
    if (index >= 0 && index < static_cast<int>(std::size(codes))) return codes[index];
    return index;
}

QString FormatFixed(int decimals, double x)
{
    long double scaled = static_cast<long double>(x) * std::pow(10.0L, decimals);
    long double n = RoundHalfEven(scaled);
    bool negative = n < 0;
    QString text = QString::number(static_cast<qulonglong>(std::fabs(n)));
    while (text.size() < decimals + 1) text.prepend(QLatin1Char('0'));
    if (decimals > 0) text.insert(text.size() - decimals, QLatin1Char('.'));
    int start = 0;
    while (start < text.size() && text[start] == QLatin1Char('0')) ++start;
    text = text.mid(start);
    if (decimals > 0) {
        int end = text.size();
        while (end > 0 && text[end - 1] == QLatin1Char('0')) --end;
        text.truncate(end);
    }
    if (text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('0'));
    if (text.endsWith(QLatin1Char('.'))) text.append(QLatin1Char('0'));
    if (text.isEmpty()) text = QStringLiteral("0");  // whole numbers of zero keep their digit
    if (negative) text.prepend(QLatin1Char('-'));
    return text;
}

QString TrimVoltsText(uint8_t b) { return FormatFixed(1, b / 20.0) + QLatin1Char('v'); }

QString TrimText(const QString &text)
{
    int end = text.size();
    while (end > 0 && text[end - 1].unicode() <= 32) --end;
    int start = 0;
    while (start < end && text[start].unicode() <= 32) ++start;
    return text.mid(start, end - start);
}

QString ReadTextField(const uint8_t *image, int offset, int width)
{
    QString text;
    for (int i = 0; i < width && offset + i < 256; ++i) {
        uint8_t c = image[offset + i];
        if (c == 0) break;
        text.append(QChar(c));
    }
    return TrimText(text);
}
