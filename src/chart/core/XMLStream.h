// The memory streams of the chart's colour-scheme files: TcMemoryStream writes 8-bit text lines
// and reads characters; TcXMLMemoryStream writes one element per line and reads elements back with
// the scheme reader's fixed rules (names compared exactly, only CR and LF skipped between
// elements). A failure raises EChartError with its text and leaves the position where the read
// stopped. Pure; one thread at a time.
#pragma once

#include <QByteArray>
#include <QString>

namespace chart
{

class TcMemoryStream
{
  public:
    TcMemoryStream() = default;
    explicit TcMemoryStream(QByteArray Data) : FData(std::move(Data)) {}

    // The text as 8-bit characters of the system's code page, without length or terminator; a
    // text of 256 characters or more is refused ("String Exceeds 255 Characters").
    void WriteString(const QString& Value);
    void WriteCRLF();
    void WriteStringCRLF(const QString& Value);
    // One byte as the character with its code; raises "EOF" when that byte was the stream's last
    // (a stream read element by element must end with a line break).
    QChar ReadChar();

    const QByteArray& Data() const { return FData; }
    qsizetype Position() const { return FPosition; }
    void SetPosition(qsizetype Value) { FPosition = Value; }
    qsizetype Size() const { return FData.size(); }

  protected:
    // Over the bytes at the position, growing the stream at its end.
    void Write(const QByteArray& Bytes);
    QByteArray FData;
    qsizetype FPosition = 0;
};

class TcXMLMemoryStream : public TcMemoryStream
{
  public:
    using TcMemoryStream::TcMemoryStream;

    void StartElement(const QString& Name);
    void EndElement(const QString& Name);
    void WriteElement(const QString& Name, const QString& Value);

    // The name of the next start tag (closing tags are passed over).
    QString GetNameElementStart();
    void GotoElementStart(const QString& Name);
    // The text up to the next "<", which stays unread.
    QString GetElementValue();
    // The name of the closing tag that must come next.
    QString GetNameElementStop();
    void GetElement(const QString& Name, QString& Value);
    // A tag's text without its brackets ("/Name" for a closing tag), or the text up to the next tag;
    // CR and LF before it are skipped.
    QString GetNextPiece();
    QString PeekNextPiece();

  private:
    QChar PeekChar();
    // The name up to ">" (a blank ends it; the rest of the tag is passed over).
    QString ReadTagName();
};

} // namespace chart
