#include "chart/core/XMLStream.h"

#include "base/CodePage.h"
#include "chart/core/ChartError.h"

#include <algorithm>

namespace chart
{

void TcMemoryStream::WriteString(const QString& Value)
{
    if (Value.size() >= 256)
        throw EChartError(QStringLiteral("String Exceeds 255 Characters"));
    const std::string bytes = Utf8ToCodePage(Value.toStdString(), CurrentCodePage());
    Write(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

void TcMemoryStream::WriteCRLF()
{
    Write(QByteArrayLiteral("\r\n"));
}

void TcMemoryStream::WriteStringCRLF(const QString& Value)
{
    WriteString(Value);
    WriteCRLF();
}

void TcMemoryStream::Write(const QByteArray& Bytes)
{
    FData.replace(FPosition, std::min(Bytes.size(), FData.size() - FPosition), Bytes);
    FPosition += Bytes.size();
}

QChar TcMemoryStream::ReadChar()
{
    if (FPosition >= FData.size())
        throw EChartError(QStringLiteral("EOF"));
    const auto c = static_cast<unsigned char>(FData[FPosition++]);
    if (FPosition >= FData.size())
        throw EChartError(QStringLiteral("EOF"));
    return QChar(c);
}

void TcXMLMemoryStream::StartElement(const QString& Name)
{
    WriteStringCRLF(QLatin1Char('<') + Name + QLatin1Char('>'));
}

void TcXMLMemoryStream::EndElement(const QString& Name)
{
    WriteStringCRLF(QStringLiteral("</") + Name + QLatin1Char('>'));
}

void TcXMLMemoryStream::WriteElement(const QString& Name, const QString& Value)
{
    WriteStringCRLF(QLatin1Char('<') + Name + QLatin1Char('>') + Value + QStringLiteral("</") + Name +
                    QLatin1Char('>'));
}

QChar TcXMLMemoryStream::PeekChar()
{
    const qsizetype at = FPosition;
    const QChar c = ReadChar();
    FPosition = at;
    return c;
}

QString TcXMLMemoryStream::ReadTagName()
{
    QString name;
    bool ended = false;
    for (QChar c = ReadChar(); c != QLatin1Char('>'); c = ReadChar()) {
        if (c == QLatin1Char(' '))
            ended = true;
        else if (!ended)
            name += c;
    }
    return name;
}

QString TcXMLMemoryStream::GetNameElementStart()
{
    for (;;) {
        while (ReadChar() != QLatin1Char('<')) {
        }
        if (PeekChar() != QLatin1Char('/'))
            return ReadTagName();
        // A closing tag: pass over it and whatever follows up to the next tag.
        while (PeekChar() != QLatin1Char('<'))
            ReadChar();
    }
}

void TcXMLMemoryStream::GotoElementStart(const QString& Name)
{
    while (GetNameElementStart() != Name) {
    }
}

QString TcXMLMemoryStream::GetElementValue()
{
    QString value;
    while (PeekChar() != QLatin1Char('<'))
        value += ReadChar();
    return value;
}

QString TcXMLMemoryStream::GetNameElementStop()
{
    if (ReadChar() != QLatin1Char('<'))
        throw EChartError(QStringLiteral("XML Parsing Error - \"<\" not Found"));
    if (ReadChar() != QLatin1Char('/'))
        throw EChartError(QStringLiteral("XML Parsing Error - \"/\" not Found"));
    return ReadTagName();
}

void TcXMLMemoryStream::GetElement(const QString& Name, QString& Value)
{
    GotoElementStart(Name);
    Value = GetElementValue();
    while (GetNameElementStop() != Name) {
    }
}

QString TcXMLMemoryStream::GetNextPiece()
{
    while (PeekChar() == QLatin1Char('\r') || PeekChar() == QLatin1Char('\n'))
        ReadChar();
    if (PeekChar() != QLatin1Char('<'))
        return GetElementValue();
    ReadChar();
    QString piece;
    for (QChar c = ReadChar(); c != QLatin1Char('>'); c = ReadChar())
        piece += c;
    return piece;
}

QString TcXMLMemoryStream::PeekNextPiece()
{
    const qsizetype at = FPosition;
    QString piece;
    try {
        piece = GetNextPiece();
    } catch (...) {
        FPosition = at;
        throw;
    }
    FPosition = at;
    return piece;
}

} // namespace chart
