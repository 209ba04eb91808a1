#include "controls/smooth/RtfReader.h"

#include "base/CodePage.h"

#include <algorithm>
#include <cstring>

namespace fx
{

namespace
{

constexpr int MaxDepth = 256;
constexpr int MaxWord = 32;

enum TDestination { dText, dFontTable, dColourTable, dSkip };

struct TGroup {
    TRtfCharFormat Format;
    TDestination Destination = dText;
    int SkipAfterUnicode = 1; // \uc
};

class TReader
{
  public:
    explicit TReader(const QByteArray& bytes) : B(bytes) {}
    TRtfDocument Read();

  private:
    void ControlWord(const QByteArray& word, bool hasParam, int param);
    void Symbol(char c);
    void Text(const QByteArray& bytes);
    void FlushBytes();
    void Append(const QString& text);
    void EndParagraph();
    TGroup& Top() { return Stack.back(); }

    const QByteArray& B;
    qsizetype At = 0;
    TRtfDocument Doc;
    std::vector<TGroup> Stack;
    int Skipped = 0;     // groups deeper than the bound
    int PendingSkip = 0; // characters still to pass over after a \u
    QByteArray Bytes;    // code-page bytes not yet decoded
    CodePage Page = CodePage::Windows1252;
    TRtfAlign Align = raLeft;
    TRtfFont Font; // the font table entry being read
    QString FontName;
    int Red = 0, Green = 0, Blue = 0;
    bool ColourSet = false;
};

TRtfDocument TReader::Read()
{
    Doc.IsRtf = B.startsWith("{\\rtf");
    Doc.Paragraphs.emplace_back();
    Stack.push_back({});
    while (At < B.size()) {
        const char c = B[At];
        if (c == '{') {
            ++At;
            FlushBytes();
            if (Stack.size() >= MaxDepth)
                ++Skipped;
            else
                Stack.push_back(Top());
        } else if (c == '}') {
            ++At;
            FlushBytes();
            if (Skipped > 0)
                --Skipped;
            else if (Stack.size() > 1) {
                if (Top().Destination == dFontTable && !FontName.isEmpty()) {
                    Font.Name = FontName.trimmed();
                    Doc.Fonts.push_back(Font);
                    FontName.clear();
                }
                Stack.pop_back();
            }
        } else if (c == '\\') {
            ++At;
            if (At >= B.size())
                break;
            const char n = B[At];
            if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
                const qsizetype start = At;
                while (At < B.size() && At - start < MaxWord &&
                       ((B[At] >= 'a' && B[At] <= 'z') || (B[At] >= 'A' && B[At] <= 'Z')))
                    ++At;
                const QByteArray word = B.mid(start, At - start);
                bool negative = false, hasParam = false;
                long long param = 0;
                if (At < B.size() && B[At] == '-') {
                    negative = true;
                    ++At;
                }
                int digits = 0;
                while (At < B.size() && B[At] >= '0' && B[At] <= '9') {
                    if (digits++ < 10)
                        param = param * 10 + (B[At] - '0');
                    hasParam = true;
                    ++At;
                }
                if (At < B.size() && B[At] == ' ')
                    ++At;
                param = std::clamp(negative ? -param : param, -2147483647LL, 2147483647LL);
                if (Skipped == 0)
                    ControlWord(word, hasParam, int(param));
            } else {
                ++At;
                if (Skipped == 0)
                    Symbol(n);
            }
        } else if (c == '\r' || c == '\n') {
            ++At;
        } else {
            const qsizetype start = At;
            while (At < B.size() && B[At] != '{' && B[At] != '}' && B[At] != '\\' && B[At] != '\r' &&
                   B[At] != '\n')
                ++At;
            if (Skipped == 0)
                Text(B.mid(start, At - start));
        }
    }
    FlushBytes();
    if (Doc.Colours.empty())
        Doc.Colours.push_back(QColor());
    Doc.Paragraphs.back().Align = Align;
    // A trailing empty paragraph (after the last \par) is not a paragraph of the text.
    if (Doc.Paragraphs.size() > 1 && Doc.Paragraphs.back().Runs.empty())
        Doc.Paragraphs.pop_back();
    return Doc;
}

void TReader::Text(const QByteArray& bytes)
{
    for (char ch : bytes) {
        if (PendingSkip > 0) {
            --PendingSkip;
            continue;
        }
        Bytes += ch;
    }
}

void TReader::FlushBytes()
{
    if (Bytes.isEmpty())
        return;
    const std::string utf8 =
        CodePageToUtf8(std::string_view(Bytes.constData(), std::size_t(Bytes.size())), Page);
    Bytes.clear();
    Append(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

void TReader::Append(const QString& text)
{
    if (text.isEmpty())
        return;
    switch (Top().Destination) {
    case dText: {
        std::vector<TRtfRun>& runs = Doc.Paragraphs.back().Runs;
        if (!runs.empty() && runs.back().Format == Top().Format)
            runs.back().Text += text;
        else
            runs.push_back({text, Top().Format});
        break;
    }
    case dFontTable:
        for (QChar ch : text) {
            if (ch == u';') {
                Font.Name = FontName.trimmed();
                Doc.Fonts.push_back(Font);
                FontName.clear();
            } else {
                FontName += ch;
            }
        }
        break;
    case dColourTable:
        for (QChar ch : text)
            if (ch == u';') {
                Doc.Colours.push_back(ColourSet ? QColor(Red, Green, Blue) : QColor());
                Red = Green = Blue = 0;
                ColourSet = false;
            }
        break;
    case dSkip:
        break;
    }
}

void TReader::EndParagraph()
{
    FlushBytes();
    if (Doc.Colours.empty())
        Doc.Colours.push_back(QColor());
    Doc.Paragraphs.back().Align = Align;
    Doc.Paragraphs.emplace_back();
}

void TReader::Symbol(char c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}':
        FlushBytes();
        if (PendingSkip > 0)
            --PendingSkip;
        else
            Append(QString(QChar(c)));
        break;
    case '~':
        FlushBytes();
        Append(QString(QChar(0xA0)));
        break;
    case '_':
        FlushBytes();
        Append(QStringLiteral("-"));
        break;
    case '\'': {
        // Two hexadecimal digits; fewer or bad ones give nothing.
        int v = 0, n = 0;
        while (n < 2 && At < B.size()) {
            const char h = B[At];
            int d = -1;
            if (h >= '0' && h <= '9')
                d = h - '0';
            else if (h >= 'a' && h <= 'f')
                d = h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                d = h - 'A' + 10;
            if (d < 0)
                break;
            v = v * 16 + d;
            ++n;
            ++At;
        }
        if (n < 2)
            break;
        if (PendingSkip > 0)
            --PendingSkip;
        else
            Bytes += char(v);
        break;
    }
    case '*':
        Top().Destination = dSkip;
        break;
    case '\n':
    case '\r':
        if (Top().Destination == dText)
            EndParagraph();
        break;
    default:
        break;
    }
}

void TReader::ControlWord(const QByteArray& w, bool hasParam, int param)
{
    TGroup& g = Top();
    TRtfCharFormat& f = g.Format;
    const auto is = [&w](const char* name) { return w == name; };
    const bool on = !hasParam || param != 0;
    if (is("u")) {
        FlushBytes();
        if (PendingSkip > 0) {
            --PendingSkip;
            return;
        }
        const int code = param < 0 ? param + 65536 : param;
        if (code > 0 && code < 0x10000 && !(code >= 0xD800 && code <= 0xDFFF))
            Append(QString(QChar(char16_t(code))));
        PendingSkip = g.SkipAfterUnicode;
        return;
    }
    FlushBytes();
    PendingSkip = 0;
    if (is("par")) {
        if (g.Destination == dText)
            EndParagraph();
    } else if (is("line")) {
        Append(QString(QChar(0x2028)));
    } else if (is("tab")) {
        Append(QStringLiteral("\t"));
    } else if (is("pard")) {
        Align = raLeft;
    } else if (is("plain")) {
        f = TRtfCharFormat{};
    } else if (is("ql")) {
        Align = raLeft;
    } else if (is("qc")) {
        Align = raCenter;
    } else if (is("qr")) {
        Align = raRight;
    } else if (is("qj")) {
        Align = raJustify;
    } else if (is("b")) {
        f.Bold = on;
    } else if (is("i")) {
        f.Italic = on;
    } else if (is("ul")) {
        f.Underline = on;
    } else if (is("ulnone")) {
        f.Underline = false;
    } else if (is("strike")) {
        f.StrikeOut = on;
    } else if (is("fs")) {
        if (hasParam && param > 0)
            f.HalfPoints = std::min(param, 2000);
    } else if (is("cf")) {
        f.Colour = std::max(0, param);
    } else if (is("uc")) {
        g.SkipAfterUnicode = std::clamp(param, 0, 10);
    } else if (is("ansicpg")) {
        Page = param == 936 ? CodePage::Gbk : CodePage::Windows1252;
    } else if (is("fonttbl")) {
        g.Destination = dFontTable;
    } else if (is("colortbl")) {
        g.Destination = dColourTable;
    } else if (is("f")) {
        if (g.Destination == dFontTable) {
            Font = TRtfFont{};
            Font.Number = param;
            FontName.clear();
        } else {
            f.Font = param;
        }
    } else if (is("fcharset")) {
        Font.Charset = param;
    } else if (is("red")) {
        Red = std::clamp(param, 0, 255);
        ColourSet = true;
    } else if (is("green")) {
        Green = std::clamp(param, 0, 255);
        ColourSet = true;
    } else if (is("blue")) {
        Blue = std::clamp(param, 0, 255);
        ColourSet = true;
    } else if (is("stylesheet") || is("info") || is("pict") || is("header") || is("footer") ||
               is("footnote") || is("object") || is("field") || is("listtable") || is("listoverridetable") ||
               is("generator") || is("themedata") || is("colorschememapping") || is("latentstyles")) {
        g.Destination = dSkip;
    }
}

} // namespace

const TRtfFont* TRtfDocument::FontByNumber(int number) const
{
    for (const TRtfFont& f : Fonts)
        if (f.Number == number)
            return &f;
    return nullptr;
}

QString TRtfDocument::PlainText() const
{
    QString out;
    for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i > 0)
            out += u'\n';
        for (const TRtfRun& r : Paragraphs[i].Runs)
            out += r.Text;
    }
    return out;
}

TRtfDocument ReadRtf(const QByteArray& bytes)
{
    return TReader(bytes).Read();
}

} // namespace fx
