#include "platform/settingsfile.h"

#include <QStringDecoder>

namespace {

const QString topLevelSection = QStringLiteral("General");

bool isPlainKeyCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'_' || c == u'-' || c == u'.';
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Like QSettings, only ASCII blanks around names and values are insignificant.
bool isAsciiBlank(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isAsciiBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isAsciiBlank(text.back()))
        text.chop(1);
    return text;
}

QString escapedKey(QStringView key)
{
    QString text;
    for (QChar c : key) {
        if (isPlainKeyCharacter(c))
            text += c;
        else if (c == u'/')
            text += u'\\';
        else if (c.unicode() <= 0xff)
            text += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            text += QStringLiteral("%U")
                    + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
    }
    return text;
}

bool unescapeKey(QStringView text, QString &key)
{
    key.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            key += u'/';
        } else if (c == u'%') {
            const bool wide = i + 1 < text.size() && text[i + 1] == u'U';
            const qsizetype digits = wide ? 4 : 2;
            const qsizetype start = i + (wide ? 2 : 1);
            if (start + digits > text.size())
                return false;
            bool ok = false;
            const uint code = text.mid(start, digits).toUInt(&ok, 16);
            if (!ok)
                return false;
            key += QChar(char16_t(code));
            i = start + digits - 1;
        } else {
            key += c;
        }
    }
    return true;
}

// Half of a surrogate pair without its other half, which UTF-8 cannot hold: a store edited by
// hand can give one through a hex escape.
bool isLoneSurrogate(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text.at(i - 1).isHighSurrogate();
    return false;
}

QString escapedValue(const QString &value)
{
    // Unquoted, outer blanks would be trimmed and separators would split the value.
    const bool quoted = !value.isEmpty()
            && (value.front().isSpace() || value.back().isSpace() || value.contains(u';')
                || value.contains(u',') || value.contains(u'='));
    QString text;
    if (quoted)
        text += u'"';
    if (value.startsWith(u'@'))
        text += u'@';
    bool escapeHexDigits = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (escapeHexDigits && isHexDigit(c)) {
            text += QStringLiteral("\\x") + QString::number(c.unicode(), 16);
            continue;
        }
        escapeHexDigits = false;
        switch (c.unicode()) {
        case u'\\':
            text += QStringLiteral("\\\\");
            break;
        case u'"':
            text += QStringLiteral("\\\"");
            break;
        case u'\n':
            text += QStringLiteral("\\n");
            break;
        case u'\r':
            text += QStringLiteral("\\r");
            break;
        case u'\t':
            text += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || isLoneSurrogate(value, i)) {
                // Hex escapes run on over every hex digit, so the digits after one are
                // escaped too.
                text += QStringLiteral("\\x") + QString::number(c.unicode(), 16);
                escapeHexDigits = true;
            } else {
                text += c;
            }
        }
    }
    if (quoted)
        text += u'"';
    return text;
}

bool unescapeValue(QStringView text, QString &value)
{
    value.clear();
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (c != u'\\') {
            value += c;
            continue;
        }
        if (++i == text.size())
            return false;
        const QChar e = text[i];
        switch (e.unicode()) {
        case u'a':
            value += u'\a';
            break;
        case u'b':
            value += u'\b';
            break;
        case u'f':
            value += u'\f';
            break;
        case u'n':
            value += u'\n';
            break;
        case u'r':
            value += u'\r';
            break;
        case u't':
            value += u'\t';
            break;
        case u'v':
            value += u'\v';
            break;
        case u'x': {
            qsizetype end = i + 1;
            while (end < text.size() && isHexDigit(text[end]))
                ++end;
            if (end == i + 1 || end - i - 1 > 4)
                return false;
            value += QChar(char16_t(text.mid(i + 1, end - i - 1).toUInt(nullptr, 16)));
            i = end - 1;
            break;
        }
        default:
            value += e;
        }
    }
    if (quoted)
        return false;
    if (value.startsWith(QStringLiteral("@@")))
        value.remove(0, 1);
    return true;
}

} // namespace

QByteArray settingsFileText(const SettingsValues &values)
{
    QMap<QString, QStringList> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        sections[section].append(escapedKey(key) + u'=' + escapedValue(it.value()));
    }
    QString text;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!text.isEmpty())
            text += u'\n';
        if (it.key().isEmpty())
            text += u'[' + topLevelSection + QStringLiteral("]\n");
        else if (it.key().compare(topLevelSection, Qt::CaseInsensitive) == 0)
            text += QStringLiteral("[%") + it.key() + QStringLiteral("]\n");
        else
            text += u'[' + escapedKey(it.key()) + QStringLiteral("]\n");
        for (const QString &line : it.value())
            text += line + u'\n';
    }
    return text.toUtf8();
}

bool readSettingsFile(const QByteArray &bytes, SettingsValues &values)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(bytes);
    bool readable = !decode.hasError();

    QString prefix;
    bool inUnreadableSection = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = trimmedBlanks(line);
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const QStringView name = trimmedBlanks(line.mid(1, line.size() - 2));
            QString section;
            inUnreadableSection = false;
            if (!line.endsWith(u']')) {
                readable = false;
                inUnreadableSection = true;
            } else if (name.compare(topLevelSection, Qt::CaseInsensitive) == 0) {
                prefix.clear();
            } else if (name.startsWith(u'%')
                       && name.mid(1).compare(topLevelSection, Qt::CaseInsensitive) == 0) {
                prefix = name.mid(1).toString() + u'/';
            } else if (unescapeKey(name, section) && !section.isEmpty()) {
                // Like a top-level key, a key path never begins with a slash: written back, the
                // first slash would part the section from its key.
                while (section.startsWith(u'/'))
                    section.remove(0, 1);
                prefix = section.isEmpty() ? QString() : section + u'/';
            } else {
                readable = false;
                inUnreadableSection = true;
            }
            continue;
        }
        if (inUnreadableSection)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        QString key;
        QString value;
        const bool keyRead = equals > 0 && unescapeKey(trimmedBlanks(line.left(equals)), key);
        // As in QSettings, a key of the top level neither begins nor ends with a slash: its
        // first slash would part a section from a key.
        while (prefix.isEmpty() && key.startsWith(u'/'))
            key.remove(0, 1);
        while (prefix.isEmpty() && key.endsWith(u'/'))
            key.chop(1);
        if (!keyRead || key.isEmpty()
            || !unescapeValue(trimmedBlanks(line.mid(equals + 1)), value)) {
            readable = false;
            continue;
        }
        values.insert(prefix + key, value);
    }
    return readable;
}
