#include "framework/IniFile.h"

#include "platform/WholeFile.h"

#include <QFile>

namespace fw
{

TIniFile::TIniFile(QString fileName) : FFileName(std::move(fileName)) {}

bool TIniFile::Load(QString* error)
{
    FSections.clear();
    QFile f(FFileName);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("open '%1': %2").arg(FFileName, f.errorString());
        return false;
    }
    Parse(QString::fromUtf8(f.readAll()));
    return true;
}

void TIniFile::Parse(const QString& text)
{
    FSections.clear();
    Section* current = nullptr;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2);
            current = Find(name);
            if (!current) {
                FSections.push_back({name, {}});
                current = &FSections.back();
            }
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (!current || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1);
        bool replaced = false;
        for (auto& kv : current->values)
            if (kv.first.compare(key, Qt::CaseInsensitive) == 0) {
                kv.second = value;
                replaced = true;
            }
        if (!replaced)
            current->values.emplace_back(key, value);
    }
}

QString TIniFile::Text() const
{
    QString out;
    for (const auto& s : FSections) {
        out += u'[' + s.name + QStringLiteral("]\r\n");
        for (const auto& kv : s.values)
            out += kv.first + u'=' + kv.second + QStringLiteral("\r\n");
        out += QStringLiteral("\r\n");
    }
    return out;
}

bool TIniFile::Save(QString* error) const
{
    const QByteArray bytes = Text().toUtf8();
    const std::string failure = platform::WriteFileAtomic(
        FFileName.toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
    if (failure.empty())
        return true;
    if (error)
        *error = QString::fromStdString(failure);
    return false;
}

TIniFile::Section* TIniFile::Find(const QString& name)
{
    for (auto& s : FSections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const TIniFile::Section* TIniFile::Find(const QString& name) const
{
    for (const auto& s : FSections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    if (const Section* s = Find(section))
        for (const auto& kv : s->values)
            if (kv.first.compare(key, Qt::CaseInsensitive) == 0)
                return kv.second;
    return def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const QString v = ReadString(section, key, QString()).trimmed();
    const int value =
        v.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? v.mid(2).toInt(&ok, 16) : v.toInt(&ok);
    return ok ? value : def;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    if (const Section* s = Find(section))
        for (const auto& kv : s->values)
            if (kv.first.compare(key, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    Section* s = Find(section);
    if (!s) {
        FSections.push_back({section, {}});
        s = &FSections.back();
    }
    for (auto& kv : s->values)
        if (kv.first.compare(key, Qt::CaseInsensitive) == 0) {
            kv.second = value;
            return;
        }
    s->values.emplace_back(key, value);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::EraseSection(const QString& section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (it->name.compare(section, Qt::CaseInsensitive) == 0) {
            FSections.erase(it);
            return;
        }
}

QStringList TIniFile::Keys(const QString& section) const
{
    QStringList keys;
    if (const Section* s = Find(section))
        for (const auto& kv : s->values)
            keys << kv.first;
    return keys;
}

} // namespace fw
