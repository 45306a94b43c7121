// SPDX-License-Identifier: GPL-3.0-or-later
// The drawings of the shipped themes and their encoding as BMP, GIF and JPEG files.
#include "theme_art.h"

#include "common/maker_web.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <map>

namespace resources::themes {

namespace {

QImage clearCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A drawing of side × side pixels as drawn at a scale: its canvas is the side at that scale in
// whole pixels, and the painter draws the same shapes onto it, pens included.
struct Canvas
{
    QImage image;
    qreal by;
};
Canvas scaledCanvas(int side, double scale)
{
    const int shown = std::max(1, int(std::lround(side * scale)));
    return {clearCanvas(shown, shown), qreal(shown) / side};
}

// The sprite shows a pixel or cuts it away, nothing between: a drawn edge becomes either the
// shape's own colour or transparent, so no half-keyed fringe shows around it.
QImage hardEdges(const QImage &drawn)
{
    QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? (line[x] | 0xff000000) : 0;
    }
    return image;
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QImage star(int side, QColor light, QColor dark, double scale)
{
    auto [image, by] = scaledCanvas(side, scale);
    QPainter painter(&image);
    painter.scale(by, by);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0 + side * 0.04);
    QRadialGradient fill(centre, side / 2.0);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setBrush(fill);
    painter.setPen(QPen(dark.darker(130), 1.0));
    painter.drawPath(starPath(centre, side / 2.0 - 0.5, side * 0.21));
    painter.end();
    return hardEdges(image);
}

QImage heart(int side, QColor light, QColor dark, double scale)
{
    auto [image, by] = scaledCanvas(side, scale);
    QPainter painter(&image);
    painter.scale(by, by);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    QPainterPath path;
    path.moveTo(s * 0.5, s * 0.92);
    path.cubicTo(s * 0.1, s * 0.6, s * -0.02, s * 0.32, s * 0.16, s * 0.14);
    path.cubicTo(s * 0.3, s * 0.02, s * 0.46, s * 0.1, s * 0.5, s * 0.26);
    path.cubicTo(s * 0.54, s * 0.1, s * 0.7, s * 0.02, s * 0.84, s * 0.14);
    path.cubicTo(s * 1.02, s * 0.32, s * 0.9, s * 0.6, s * 0.5, s * 0.92);
    QRadialGradient fill(QPointF(s * 0.35, s * 0.3), s * 0.75);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setBrush(fill);
    painter.setPen(QPen(dark.darker(140), 1.0));
    painter.drawPath(path);
    painter.end();
    return hardEdges(image);
}

QImage snowflake(int side, QColor arm, QColor core, double scale)
{
    auto [image, by] = scaledCanvas(side, scale);
    QPainter painter(&image);
    painter.scale(by, by);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0);
    const qreal radius = side / 2.0 - 0.8;
    painter.setPen(QPen(arm, side >= 14 ? 1.6 : 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i) {
        const qreal angle = M_PI / 2 + i * M_PI / 3;
        const QPointF direction(qCos(angle), qSin(angle));
        painter.drawLine(centre, centre + radius * direction);
        // Two small branches on each arm, two thirds of the way out.
        const QPointF fork = centre + radius * 0.6 * direction;
        for (const qreal turn : {M_PI / 4, -M_PI / 4}) {
            const QPointF branch(qCos(angle + turn), qSin(angle + turn));
            painter.drawLine(fork, fork + radius * 0.35 * branch);
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(core);
    painter.drawEllipse(centre, side * 0.14, side * 0.14);
    painter.end();
    return hardEdges(image);
}

QImage cometHead(int side, double scale)
{
    auto [image, by] = scaledCanvas(side, scale);
    QPainter painter(&image);
    painter.scale(by, by);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0);
    QRadialGradient glow(centre, side / 2.0);
    glow.setColorAt(0, QColor(255, 255, 240));
    glow.setColorAt(0.35, QColor(255, 240, 120));
    glow.setColorAt(0.8, QColor(255, 160, 30));
    glow.setColorAt(1, QColor(230, 90, 10));
    painter.setBrush(glow);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, side / 2.0 - 0.3, side / 2.0 - 0.3);
    painter.end();
    return hardEdges(image);
}

// A four-pointed spark of the comet's tail.
QImage spark(int side, QColor light, QColor dark, double scale)
{
    auto [image, by] = scaledCanvas(side, scale);
    QPainter painter(&image);
    painter.scale(by, by);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal c = side / 2.0;
    const qreal w = side * 0.17;
    QPainterPath path;
    path.moveTo(c, 0);
    path.lineTo(c + w, c - w);
    path.lineTo(side, c);
    path.lineTo(c + w, c + w);
    path.lineTo(c, side);
    path.lineTo(c - w, c + w);
    path.lineTo(0, c);
    path.lineTo(c - w, c - w);
    path.closeSubpath();
    QRadialGradient fill(QPointF(c, c), c);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setBrush(fill);
    painter.setPen(Qt::NoPen);
    painter.drawPath(path);
    painter.end();
    return hardEdges(image);
}

// A die's face with 1 to 5 pips, filling the whole sprite: nothing to cut away.
QImage dieFace(int pips, QColor face, QColor pip, double scale)
{
    const int side = kSpriteSide;
    auto [image, by] = scaledCanvas(side, scale);
    image.fill(face);
    QPainter painter(&image);
    painter.scale(by, by);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(face.darker(170), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, side - 1, side - 1));
    static constexpr int kLayouts[5][5][2] = {
        {{1, 1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}},
        {{0, 0}, {2, 2}, {-1, -1}, {-1, -1}, {-1, -1}},
        {{0, 0}, {1, 1}, {2, 2}, {-1, -1}, {-1, -1}},
        {{0, 0}, {2, 0}, {0, 2}, {2, 2}, {-1, -1}},
        {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}},
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(pip);
    for (const auto &cell : kLayouts[pips - 1]) {
        if (cell[0] < 0)
            continue;
        painter.drawEllipse(QPointF(5 + cell[0] * 5, 5 + cell[1] * 5), 1.9, 1.9);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

ShippedTheme theme(const char *stem, const char *name, PictureFormat format, const char *extension,
                   const std::array<QImage, 5> &images)
{
    ShippedTheme result{QString::fromLatin1(stem),
                        QString::fromLatin1(name),
                        QStringLiteral("The Zorrit developers"),
                        common::web::homePage(),
                        format,
                        {}};
    for (int k = 0; k < 5; ++k) {
        result.pictures[k] = {QStringLiteral("%1-%2.%3")
                                  .arg(result.fileStem)
                                  .arg(k + 1)
                                  .arg(QString::fromLatin1(extension)),
                              images[k]};
    }
    return result;
}

// A GIF has at most 256 colours; the drawings' shading is kept to steps of 8 so none comes close.
QRgb paletteColour(QRgb colour)
{
    return qRgb(qRed(colour) & 0xf8, qGreen(colour) & 0xf8, qBlue(colour) & 0xf8);
}

// GIF's variable-length LZW codes, least significant bit first, in sub-blocks of 255 bytes.
class GifCodeWriter
{
public:
    void write(int code, int size)
    {
        m_bits |= quint32(code) << m_bitCount;
        m_bitCount += size;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }
    QByteArray blocks()
    {
        if (m_bitCount > 0)
            m_bytes.append(char(m_bits & 0xff));
        m_bits = 0;
        m_bitCount = 0;
        QByteArray out;
        for (qsizetype i = 0; i < m_bytes.size(); i += 255) {
            const QByteArray block = m_bytes.mid(i, 255);
            out.append(char(block.size()));
            out.append(block);
        }
        out.append('\0');
        return out;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_bitCount = 0;
};

void appendWord(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

} // namespace

std::vector<ShippedTheme> shippedThemes(double scale)
{
    std::vector<ShippedTheme> all;
    all.push_back(theme("stars", "Stars", PictureFormat::GifClear, "gif",
                        {star(19, QColor(255, 250, 190), QColor(245, 190, 20), scale),
                         star(17, QColor(255, 240, 160), QColor(245, 165, 20), scale),
                         star(15, QColor(255, 230, 140), QColor(240, 140, 20), scale),
                         star(13, QColor(255, 215, 120), QColor(235, 110, 20), scale),
                         star(11, QColor(255, 200, 110), QColor(225, 80, 20), scale)}));
    all.push_back(theme("hearts", "Hearts", PictureFormat::Bmp, "bmp",
                        {heart(18, QColor(255, 120, 130), QColor(200, 0, 30), scale),
                         heart(16, QColor(255, 140, 160), QColor(215, 20, 70), scale),
                         heart(14, QColor(255, 160, 190), QColor(225, 50, 110), scale),
                         heart(12, QColor(255, 180, 210), QColor(230, 80, 140), scale),
                         heart(10, QColor(255, 200, 225), QColor(235, 110, 165), scale)}));
    all.push_back(theme("snowflakes", "Snowflakes", PictureFormat::Gif, "gif",
                        {snowflake(19, QColor(200, 230, 255), QColor(90, 150, 230), scale),
                         snowflake(17, QColor(190, 225, 255), QColor(80, 140, 225), scale),
                         snowflake(15, QColor(180, 220, 255), QColor(70, 130, 220), scale),
                         snowflake(13, QColor(170, 215, 255), QColor(60, 120, 215), scale),
                         snowflake(11, QColor(160, 210, 255), QColor(50, 110, 210), scale)}));
    all.push_back(theme("comet", "Comet", PictureFormat::Bmp, "bmp",
                        {cometHead(16, scale), // the head, then ever smaller sparks
                         spark(13, QColor(255, 230, 120), QColor(250, 140, 20), scale),
                         spark(11, QColor(255, 200, 90), QColor(240, 100, 20), scale),
                         spark(9, QColor(255, 170, 70), QColor(220, 70, 20), scale),
                         spark(7, QColor(250, 140, 60), QColor(200, 40, 20), scale)}));
    all.push_back(theme("dice", "Dice", PictureFormat::Jpeg, "jpg",
                        {dieFace(1, QColor(250, 248, 240), QColor(200, 20, 20), scale),
                         dieFace(2, QColor(250, 248, 240), QColor(20, 20, 20), scale),
                         dieFace(3, QColor(250, 248, 240), QColor(20, 20, 20), scale),
                         dieFace(4, QColor(250, 248, 240), QColor(20, 20, 20), scale),
                         dieFace(5, QColor(250, 248, 240), QColor(20, 20, 20), scale)}));
    return all;
}

QImage storedImage(const QImage &picture, PictureFormat format)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const bool palette = format == PictureFormat::Gif || format == PictureFormat::GifClear;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                line[x] = format == PictureFormat::GifClear ? 0 : kKeyColour;
            else
                line[x] = palette ? paletteColour(line[x]) : (line[x] | 0xff000000);
        }
    }
    return image;
}

std::optional<QByteArray> encodeGif(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRgb> palette;
    std::map<QRgb, int> indexOf;
    int transparentIndex = -1;
    std::vector<int> pixels;
    pixels.reserve(size_t(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb colour = image.pixel(x, y);
            colour = qAlpha(colour) == 0 ? 0 : (colour | 0xff000000);
            auto found = indexOf.find(colour);
            if (found == indexOf.end()) {
                if (palette.size() == 256)
                    return std::nullopt;
                found = indexOf.emplace(colour, int(palette.size())).first;
                if (colour == 0)
                    transparentIndex = found->second;
                palette.push_back(colour);
            }
            pixels.push_back(found->second);
        }
    }
    int tableBits = 1; // the colour table holds 2^tableBits entries
    while ((1 << tableBits) < int(palette.size()))
        ++tableBits;

    QByteArray out("GIF89a");
    appendWord(out, image.width());
    appendWord(out, image.height());
    out.append(char(0x80 | ((tableBits - 1) << 4) | (tableBits - 1))); // global table, its size
    out.append('\0');                                                  // background colour index
    out.append('\0');                                                  // pixels are square
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < int(palette.size()) ? palette[size_t(i)] : 0;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    if (transparentIndex >= 0) {
        out.append("\x21\xf9\x04\x01", 4); // graphic control: a transparent index follows
        appendWord(out, 0);
        out.append(char(transparentIndex));
        out.append('\0');
    }
    out.append('\x2c');
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, image.width());
    appendWord(out, image.height());
    out.append('\0');

    const int minimumCodeSize = std::max(2, tableBits);
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    out.append(char(minimumCodeSize));
    GifCodeWriter codes;
    QHash<quint32, int> table; // (prefix code << 8 | next index) -> code
    int codeSize = minimumCodeSize + 1;
    int lastCode = endCode;
    codes.write(clearCode, codeSize);
    int prefix = pixels.front();
    for (size_t i = 1; i < pixels.size(); ++i) {
        const quint32 key = (quint32(prefix) << 8) | quint32(pixels[i]);
        const auto known = table.constFind(key);
        if (known != table.cend()) {
            prefix = *known;
            continue;
        }
        codes.write(prefix, codeSize);
        table.insert(key, ++lastCode);
        if (lastCode >= (1 << codeSize))
            ++codeSize;
        if (lastCode == 4095) {
            codes.write(clearCode, codeSize);
            table.clear();
            codeSize = minimumCodeSize + 1;
            lastCode = endCode;
        }
        prefix = pixels[i];
    }
    codes.write(prefix, codeSize);
    codes.write(endCode, codeSize);
    out.append(codes.blocks());
    out.append('\x3b');
    return out;
}

std::optional<QByteArray> encodePicture(const QImage &picture, PictureFormat format)
{
    const QImage stored = storedImage(picture, format);
    if (format == PictureFormat::Gif || format == PictureFormat::GifClear)
        return encodeGif(stored);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == PictureFormat::Bmp ? "bmp" : "jpeg");
    if (format == PictureFormat::Jpeg)
        writer.setQuality(95);
    if (!writer.write(stored.convertToFormat(QImage::Format_RGB32)))
        return std::nullopt;
    return bytes;
}

} // namespace resources::themes
