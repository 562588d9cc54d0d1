#include "GlosxClipboard.h"

#include <QBuffer>
#include <QDataStream>

#include "glossor/IGlosxList.h"
#include "ui/Input.h"

namespace glossor {
namespace {

constexpr quint32 kMagic = 0x58534C47;  // "GLSX"
constexpr quint16 kVersion = 2;         // 2: the first selected object's position after the count

std::uint32_t clipboardFormat() {
    static const std::uint32_t format =
        ui::registerClipboardFormat(QStringLiteral("Scribant.AnnList.Objects"));
    return format;
}

QByteArray pictureBytes(const QImage& picture) {
    QByteArray bytes;
    if (picture.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

bool validData(const GlosxData& data) {
    return data.kind >= kFirstKind && data.kind <= kLastKind && data.appearance >= 0 &&
           data.appearance <= kLastAppearance && data.lineMode >= 0 && data.lineMode <= kLastLineMode;
}

}  // namespace

QByteArray encodeObjects(const std::vector<GlosxData>& objects, std::uint32_t first) {
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << static_cast<quint32>(objects.size()) << static_cast<quint32>(first);
    for (const GlosxData& data : objects) {
        out << data.kind << data.x1 << data.y1 << data.x2 << data.y2 << data.tag << data.appearance
            << data.lineMode << data.offset << data.rotateState << data.flipState << data.foreColor
            << data.backColor << data.group << textOf(data) << pictureBytes(data.picture);
    }
    return block;
}

std::optional<std::vector<GlosxData>> decodeObjects(const QByteArray& block, std::uint32_t* first) {
    QDataStream in(block);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    quint32 count = 0;
    quint32 firstSelected = 0;
    in >> magic >> version >> count >> firstSelected;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        count > kMaxClipboardObjects || (count > 0 && firstSelected >= count))
        return std::nullopt;
    if (first)
        *first = firstSelected;
    std::vector<GlosxData> objects;
    objects.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        GlosxData data;
        QString text;
        QByteArray picture;
        in >> data.kind >> data.x1 >> data.y1 >> data.x2 >> data.y2 >> data.tag >> data.appearance >>
            data.lineMode >> data.offset >> data.rotateState >> data.flipState >> data.foreColor >>
            data.backColor >> data.group >> text >> picture;
        if (in.status() != QDataStream::Ok || !validData(data) || text.size() > kMaxClipboardText ||
            picture.size() > kMaxClipboardPicture)
            return std::nullopt;
        data.foreColor &= 0xFFFFFF;
        data.backColor &= 0xFFFFFF;
        data.text = text.toStdU16String();
        if (!picture.isEmpty() && !data.picture.loadFromData(picture, "PNG"))
            return std::nullopt;
        objects.push_back(std::move(data));
    }
    if (!in.atEnd())
        return std::nullopt;
    return objects;
}

bool copyToClipboard(const std::vector<GlosxData>& objects, std::uint32_t first) {
    return ui::setClipboardData(clipboardFormat(), encodeObjects(objects, first));
}

std::optional<QByteArray> clipboardBlock() {
    return ui::clipboardData(clipboardFormat());
}

}  // namespace glossor
