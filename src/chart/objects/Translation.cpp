#include "chart/objects/Translation.h"

#include "platform/WholeFile.h"

#include <utility>
#include <vector>

namespace chart
{

const TPropertyTable& TcPlotTranslationObject::PropertyTable() const
{
    static const TPropertyTable table = [] {
        TPropertyTable t;
        using T = TcPlotTranslationObject;
        t.String("OriginalString", &T::OriginalString, &T::SetOriginalString, QStringLiteral("Unknown"));
        t.String("ReplacementString", &T::ReplacementString, &T::SetReplacementString,
                 QStringLiteral("Unknown"));
        return t;
    }();
    return table;
}

TcPlotTranslationManager::TcPlotTranslationManager(TcObjectHandler OnRemove, TcObjectHandler OnInsert)
    : FOnRemove(std::move(OnRemove)), FOnInsert(std::move(OnInsert))
{
    if (!FOnInsert)
        throw EChartError(QStringLiteral("OnInsert event handler can not be null"));
    if (!FOnRemove)
        throw EChartError(QStringLiteral("OnRemove event handler can not be null"));
}

TcPlotTranslationManager::~TcPlotTranslationManager()
{
    for (int i = 0; i < FList.Count(); ++i)
        delete FList.Item(i);
}

void TcPlotTranslationManager::Dispose()
{
    Clear();
    if (FOnRemove)
        FOnRemove(this);
    FOnRemove = nullptr;
}

TcPlotTranslationObject* TcPlotTranslationManager::CreateObject()
{
    auto* o = new TcPlotTranslationObject;
    FOnInsert(o);
    if (!FList.Contains(o))
        FList.Add(QString(), o);
    return o;
}

void TcPlotTranslationManager::NotificationInsert(TcPersistent* Sender)
{
    auto* o = dynamic_cast<TcPlotTranslationObject*>(Sender);
    if (o && !FList.Contains(o))
        FList.Add(QString(), o);
}

void TcPlotTranslationManager::NotificationRemove(TcPersistent* Sender)
{
    if (auto* o = dynamic_cast<TcPlotTranslationObject*>(Sender))
        FList.Remove(o);
}

int TcPlotTranslationManager::Add()
{
    TcPlotTranslationObject* o = CreateObject();
    for (int i = 0; i < FList.Count(); ++i)
        if (FList.Item(i) == o)
            return i;
    return -1;
}

TcPlotTranslationObject* TcPlotTranslationManager::Item(int Index) const
{
    if (Index < 0 || Index >= FList.Count())
        throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FList.Item(Index);
}

void TcPlotTranslationManager::Delete(int Index)
{
    TcPlotTranslationObject* o = Item(Index);
    if (FOnRemove)
        FOnRemove(o);
    FList.Remove(o);
    delete o;
}

void TcPlotTranslationManager::Clear()
{
    while (FList.Count() > 0)
        Delete(0);
}

QString TcPlotTranslationManager::FindReplacement(const QString& OriginalString) const
{
    for (int i = 0; i < FList.Count(); ++i)
        if (FList.Item(i)->OriginalString() == OriginalString)
            return FList.Item(i)->ReplacementString();
    return OriginalString;
}

void TcPlotTranslationManager::WriteToStream(TcWriter& Writer)
{
    Writer.WriteListBegin();
    for (int i = 0; i < FList.Count(); ++i) {
        Writer.WriteListBegin();
        WriteObjectProperties(Writer, *FList.Item(i));
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TcPlotTranslationManager::ReadFromStream(TcReader& Reader)
{
    Clear();
    if (Reader.NextValue() != TcValueType::List) {
        Reader.SkipValue();
        return;
    }
    // Read whole before filing: the list is sorted by the original text.
    std::vector<std::pair<QString, QString>> pairs;
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        TcPlotTranslationObject read;
        Reader.ReadListBegin();
        ReadObjectProperties(Reader, read);
        Reader.ReadListEnd();
        pairs.emplace_back(read.OriginalString(), read.ReplacementString());
    }
    Reader.ReadListEnd();
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        TcPlotTranslationObject* o = CreateObject();
        o->SetOriginalString(it->first);
        o->SetReplacementString(it->second);
    }
}

bool TcPlotTranslationManager::SaveToFile(const QString& FileName, QString* Error) const
{
    QByteArray text;
    for (int i = 0; i < FList.Count(); ++i)
        text += (FList.Item(i)->OriginalString() + QLatin1Char('\t') + FList.Item(i)->ReplacementString() +
                 QLatin1Char('\n'))
                    .toUtf8();
    const std::string failure = platform::WriteFileAtomic(
        FileName.toStdString(),
        {reinterpret_cast<const std::uint8_t*>(text.constData()), std::size_t(text.size())});
    if (failure.empty())
        return true;
    if (Error)
        *Error = QStringLiteral("Error Saving Translation Data - ") + QString::fromStdString(failure);
    return false;
}

bool TcPlotTranslationManager::LoadFromFile(const QString& FileName, QString* Error)
{
    auto refuse = [Error](const QString& why) {
        if (Error)
            *Error = QStringLiteral("Error Loading Data - ") + why;
        return false;
    };
    std::vector<std::uint8_t> bytes;
    const std::string failure = platform::ReadFileLimited(FileName.toStdString(), MaxFileSize, bytes);
    if (!failure.empty())
        return refuse(QString::fromStdString(failure));
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    std::vector<std::pair<QString, QString>> pairs;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            return refuse(QStringLiteral("Invalid Format - Tab Deliminator Missing"));
        pairs.emplace_back(line.left(tab), line.mid(tab + 1));
    }
    Clear();
    for (const auto& [original, replacement] : pairs) {
        TcPlotTranslationObject* o = CreateObject();
        o->SetOriginalString(original);
        o->SetReplacementString(replacement);
    }
    return true;
}

} // namespace chart
