#include "res/ResourceFile.h"

#include <functional>
#include <set>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringConverter>
#include <QStringList>

#include "res/CursorResource.h"

namespace res {

namespace {

const QString kMagic = QStringLiteral("TarnwickResources");

LoadResult failure(LoadStatus status, int line, QString message) {
    return {status, line, std::move(message)};
}

// Reads a whole file of at most ResourceFile::kMaxFileSize bytes.
LoadResult readBounded(const QString& path, QByteArray& data) {
    QFile file(path);
    if (!file.exists()) {
        return failure(LoadStatus::Missing, 0, QStringLiteral("%1 does not exist").arg(path));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(LoadStatus::Unreadable, 0, QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    data = file.read(ResourceFile::kMaxFileSize + 1);
    if (data.size() > ResourceFile::kMaxFileSize) {
        return failure(LoadStatus::Unreadable, 0, QStringLiteral("%1 is larger than 16 MiB").arg(path));
    }
    if (file.error() != QFileDevice::NoError) {
        return failure(LoadStatus::Unreadable, 0, QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    return {};
}

std::optional<std::uint32_t> parseId(QStringView text) {
    const auto id = ResourceId::parse(text);
    return id && id->isNumber() ? std::optional(id->number()) : std::nullopt;
}

// Undoes the escapes \t \n \r \\; nullopt for any other backslash sequence.
std::optional<QString> unescape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\')) {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        switch (text[i].unicode()) {
            case 't':
                out += QLatin1Char('\t');
                break;
            case 'n':
                out += QLatin1Char('\n');
                break;
            case 'r':
                out += QLatin1Char('\r');
                break;
            case '\\':
                out += QLatin1Char('\\');
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

// Parses one resource file into a module of its own, so that a failure leaves the caller's module
// untouched.
class Parser {
public:
    Parser(QString baseFolder) : base_(std::move(baseFolder)), module_(QStringLiteral("file")) {}

    LoadResult run(const QByteArray& data);
    const ResourceModule& module() const { return module_; }

private:
    using Handler = LoadResult (Parser::*)(const QStringList& fields);
    struct Section {
        const char* name;
        Handler handler;
        int fieldCount;
    };
    static const Section kSections[];

    LoadResult header(QStringView line);
    LoadResult sectionLine(QStringView line);
    LoadResult entry(QStringView line);
    LoadResult stringEntry(const QStringList& fields);
    LoadResult bitmapEntry(const QStringList& fields);
    LoadResult cursorEntry(const QStringList& fields);
    LoadResult menuEntry(const QStringList& fields);
    LoadResult dialogEntry(const QStringList& fields);
    LoadResult blobEntry(const QStringList& fields,
                         void (ResourceModule::*set)(const ResourceId&, QByteArray));

    LoadResult error(QString message) const {
        return failure(LoadStatus::Malformed, line_, std::move(message));
    }
    LoadResult firstUse(const QString& id);
    LoadResult resolve(const QString& relative, QString& path) const;
    LoadResult loadImage(const QString& relative, QImage& image) const;

    QString base_;
    ResourceModule module_;
    const Section* section_ = nullptr;
    int line_ = 0;
    std::set<std::pair<const Section*, QString>> seen_;
};

const Parser::Section Parser::kSections[] = {
    {"strings", &Parser::stringEntry, 2}, {"bitmaps", &Parser::bitmapEntry, 2},
    {"cursors", &Parser::cursorEntry, 4}, {"menus", &Parser::menuEntry, 2},
    {"dialogs", &Parser::dialogEntry, 2},
};

LoadResult Parser::run(const QByteArray& data) {
    if (data.size() > ResourceFile::kMaxFileSize) {
        return failure(LoadStatus::Unreadable, 0, QStringLiteral("larger than 16 MiB"));
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(data);
    if (decoder.hasError() || text.contains(QChar(0))) {
        return failure(LoadStatus::Malformed, 0, QStringLiteral("not UTF-8 text"));
    }
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (QStringView line : lines) {
        ++line_;
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        LoadResult result;
        if (line_ == 1) {
            result = header(line);
        } else if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        } else if (line.startsWith(QLatin1Char('['))) {
            result = sectionLine(line);
        } else {
            result = entry(line);
        }
        if (!result.ok()) {
            return result;
        }
    }
    return {};
}

LoadResult Parser::header(QStringView line) {
    const QList<QStringView> words = line.split(QLatin1Char(' '));
    if (words.size() != 2 || words[0] != kMagic) {
        return error(QStringLiteral("not a resource file"));
    }
    if (words[1] != QString::number(ResourceFile::kFormatVersion)) {
        return failure(LoadStatus::Unsupported, line_, QStringLiteral("format version %1").arg(words[1]));
    }
    return {};
}

LoadResult Parser::sectionLine(QStringView line) {
    for (const Section& section : kSections) {
        if (line == QStringLiteral("[%1]").arg(QLatin1String(section.name))) {
            section_ = &section;
            return {};
        }
    }
    return error(QStringLiteral("unknown section %1").arg(line));
}

LoadResult Parser::entry(QStringView line) {
    if (section_ == nullptr) {
        return error(QStringLiteral("entry before any section"));
    }
    const QStringList fields = line.toString().split(QLatin1Char('\t'));
    if (fields.size() != section_->fieldCount) {
        return error(
            QStringLiteral("%1 fields where %2 belong").arg(fields.size()).arg(section_->fieldCount));
    }
    if (const LoadResult result = firstUse(fields[0]); !result.ok()) {
        return result;
    }
    return (this->*section_->handler)(fields);
}

LoadResult Parser::firstUse(const QString& id) {
    const auto parsed = ResourceId::parse(id);
    const QString key = parsed ? parsed->toString() : id;
    if (!seen_.emplace(section_, key).second) {
        return error(QStringLiteral("id %1 given twice").arg(id));
    }
    return {};
}

LoadResult Parser::stringEntry(const QStringList& fields) {
    const auto id = parseId(fields[0]);
    const auto text = unescape(fields[1]);
    if (!id) {
        return error(QStringLiteral("bad string id %1").arg(fields[0]));
    }
    if (!text) {
        return error(QStringLiteral("bad escape in string %1").arg(fields[0]));
    }
    const QByteArray utf8 = text->toUtf8();
    if (utf8.size() > ResourceFile::kMaxTextBytes) {
        return error(QStringLiteral("string %1 is longer than 65535 bytes").arg(fields[0]));
    }
    module_.setString(*id, utf8.toStdString());
    return {};
}

LoadResult Parser::bitmapEntry(const QStringList& fields) {
    const auto id = parseId(fields[0]);
    if (!id) {
        return error(QStringLiteral("bad bitmap id %1").arg(fields[0]));
    }
    QImage image;
    if (const LoadResult result = loadImage(fields[1], image); !result.ok()) {
        return result;
    }
    module_.setBitmap(*id, std::move(image));
    return {};
}

LoadResult Parser::cursorEntry(const QStringList& fields) {
    const auto id = parseId(fields[0]);
    const auto x = parseId(fields[2]);
    const auto y = parseId(fields[3]);
    if (!id || !x || !y) {
        return error(QStringLiteral("bad cursor id or hot spot for %1").arg(fields[0]));
    }
    CursorResource cursor;
    if (const LoadResult result = loadImage(fields[1], cursor.image); !result.ok()) {
        return result;
    }
    if (*x >= static_cast<std::uint32_t>(cursor.image.width()) ||
        *y >= static_cast<std::uint32_t>(cursor.image.height())) {
        return error(QStringLiteral("hot spot of cursor %1 outside its image").arg(fields[0]));
    }
    cursor.hotSpot = QPoint(static_cast<int>(*x), static_cast<int>(*y));
    module_.setCursor(*id, std::move(cursor));
    return {};
}

LoadResult Parser::menuEntry(const QStringList& fields) {
    return blobEntry(fields, &ResourceModule::setMenu);
}

LoadResult Parser::dialogEntry(const QStringList& fields) {
    return blobEntry(fields, &ResourceModule::setDialog);
}

LoadResult Parser::blobEntry(const QStringList& fields,
                             void (ResourceModule::*set)(const ResourceId&, QByteArray)) {
    const auto id = ResourceId::parse(fields[0]);
    if (!id) {
        return error(QStringLiteral("bad resource id %1").arg(fields[0]));
    }
    QString path;
    QByteArray data;
    LoadResult result = resolve(fields[1], path);
    if (result.ok()) {
        result = readBounded(path, data);
    }
    if (!result.ok()) {
        result.line = line_;
        return result;
    }
    (module_.*set)(*id, std::move(data));
    return {};
}

LoadResult Parser::resolve(const QString& relative, QString& path) const {
    const QStringList parts = relative.split(QLatin1Char('/'));
    if (relative.isEmpty() || QDir::isAbsolutePath(relative) || relative.startsWith(QLatin1Char(':')) ||
        relative.contains(QLatin1Char('\\')) || parts.contains(QStringLiteral(".."))) {
        return error(QStringLiteral("file name %1 is not inside the resource folder").arg(relative));
    }
    path = base_ + QLatin1Char('/') + relative;
    return {};
}

LoadResult Parser::loadImage(const QString& relative, QImage& image) const {
    QString path;
    QByteArray data;
    LoadResult result = resolve(relative, path);
    if (result.ok()) {
        result = readBounded(path, data);
    }
    if (result.ok() && !image.loadFromData(data)) {
        result = failure(LoadStatus::Malformed, 0, QStringLiteral("%1 is not an image").arg(path));
    }
    if (!result.ok()) {
        result.line = line_;
    }
    return result;
}

}  // namespace

LoadResult ResourceFile::read(const QString& path, ResourceModule& into) {
    if (path.isEmpty()) {
        return failure(LoadStatus::NoFile, 0, QStringLiteral("no file name"));
    }
    QByteArray data;
    if (const LoadResult result = readBounded(path, data); !result.ok()) {
        return result;
    }
    return parse(data, QFileInfo(path).absolutePath(), into);
}

LoadResult ResourceFile::parse(const QByteArray& data, const QString& baseFolder, ResourceModule& into) {
    Parser parser(baseFolder);
    const LoadResult result = parser.run(data);
    if (result.ok()) {
        into.merge(parser.module());
    }
    return result;
}

}  // namespace res
