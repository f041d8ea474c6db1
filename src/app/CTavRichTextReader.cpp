#include "CTavRichTextReader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cctype>
#include <climits>
#include <vector>

#include "CTavDbText.h"

namespace {
struct State
{
    bool bold = false;
    int halfPoints = CTavRichTextReader::kDefaultHalfPoints;
    bool skip = false; // inside a destination that holds no text
    int unicodeSkip = 1;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Parser
{
public:
    explicit Parser(const QByteArray& rtf) : m_in(rtf) {}

    QList<CTavRichTextReader::Run> Run()
    {
        m_stack.push_back(State());
        while (m_pos < m_in.size()) {
            const char c = m_in.at(m_pos);
            if (c == '{') {
                ++m_pos;
                flush();
                if (m_depth < CTavRichTextReader::kMaxDepth)
                    m_stack.push_back(m_stack.back());
                ++m_depth;
                m_groupStart = true;
                continue;
            }
            if (c == '}') {
                ++m_pos;
                flush();
                if (m_depth > 0) {
                    if (m_depth <= CTavRichTextReader::kMaxDepth && m_stack.size() > 1)
                        m_stack.pop_back();
                    --m_depth;
                }
                m_groupStart = false;
                continue;
            }
            if (c == '\\') {
                controlWord();
                m_groupStart = false;
                continue;
            }
            m_groupStart = false;
            ++m_pos;
            if (c == '\r' || c == '\n')
                continue;
            if (state().skip)
                continue;
            if (m_pendingSkip > 0) {
                // The fallback character of a \u escape.
                if (CTavDbText::isLeadByte(static_cast<unsigned char>(c)) && m_pos < m_in.size())
                    ++m_pos;
                --m_pendingSkip;
                continue;
            }
            m_bytes += c;
            if (CTavDbText::isLeadByte(static_cast<unsigned char>(c)) && m_pos < m_in.size())
                m_bytes += m_in.at(m_pos++); // a trail byte may be a brace or a backslash
        }
        flush();
        return m_runs;
    }

private:
    State& state() { return m_stack.back(); }

    void decodeBytes()
    {
        if (m_bytes.isEmpty())
            return;
        m_text += CTavDbText::fromCp932(m_bytes);
        m_bytes.clear();
    }

    void flush()
    {
        decodeBytes();
        if (m_text.isEmpty())
            return;
        appendText(m_text);
        m_text.clear();
    }

    void appendText(const QString& text)
    {
        const State& s = m_stack.back();
        if (!m_runs.isEmpty() && !m_runs.last().paragraphEnd && m_runs.last().bold == s.bold &&
            m_runs.last().halfPoints == s.halfPoints) {
            m_runs.last().text += text;
            return;
        }
        m_runs.append({text, s.bold, s.halfPoints, false});
    }

    void endParagraph()
    {
        flush();
        if (m_runs.isEmpty() || m_runs.last().paragraphEnd)
            m_runs.append({QString(), state().bold, state().halfPoints, true});
        else
            m_runs.last().paragraphEnd = true;
    }

    void addUnicode(QChar ch)
    {
        decodeBytes(); // the bytes before the escape come first
        m_text += ch;
    }

    void controlWord()
    {
        ++m_pos; // the backslash
        if (m_pos >= m_in.size())
            return;
        const char c = m_in.at(m_pos);
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in.at(m_pos))) &&
               m_pos - start < 32)
            ++m_pos;
        const QByteArray word = m_in.mid(start, m_pos - start);
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (m_pos < m_in.size() && m_in.at(m_pos) == '-') {
            negative = true;
            ++m_pos;
        }
        for (int digits = 0; m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in.at(m_pos)));
             ++digits, ++m_pos) {
            hasParam = true;
            if (digits < 10)
                param = param * 10 + (m_in.at(m_pos) - '0');
        }
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in.at(m_pos) == ' ')
            ++m_pos;
        applyWord(word, hasParam, static_cast<int>(std::clamp<long long>(param, INT32_MIN, INT32_MAX)));
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            if (m_pos + 1 < m_in.size()) {
                const int hi = hexValue(m_in.at(m_pos));
                const int lo = hexValue(m_in.at(m_pos + 1));
                if (hi >= 0 && lo >= 0) {
                    m_pos += 2;
                    if (!state().skip && !consumeFallback())
                        m_bytes += static_cast<char>(hi * 16 + lo);
                }
            }
            return;
        }
        if (c == '*') {
            if (m_groupStart)
                state().skip = true;
            return;
        }
        if (state().skip)
            return;
        if (c == '\\' || c == '{' || c == '}') {
            if (!consumeFallback())
                m_bytes += c;
        } else if (c == '~') {
            addUnicode(QChar(0x00A0));
        } else if (c == '\n' || c == '\r') {
            endParagraph();
        }
    }

    bool consumeFallback()
    {
        if (m_pendingSkip <= 0)
            return false;
        --m_pendingSkip;
        return true;
    }

    void applyWord(const QByteArray& word, bool hasParam, int param)
    {
        if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
            word == "pict") {
            state().skip = true;
            return;
        }
        if (state().skip)
            return;
        if (word == "par") {
            endParagraph();
        } else if (word == "tab") {
            flush();
            appendText(QStringLiteral("\t"));
        } else if (word == "b") {
            flush();
            state().bold = !hasParam || param != 0;
        } else if (word == "fs") {
            flush();
            state().halfPoints =
                hasParam && param > 0 && param <= 3276 ? param : CTavRichTextReader::kDefaultHalfPoints;
        } else if (word == "plain") {
            flush();
            state().bold = false;
            state().halfPoints = CTavRichTextReader::kDefaultHalfPoints;
        } else if (word == "uc") {
            state().unicodeSkip = std::clamp(param, 0, 4);
        } else if (word == "u" && hasParam) {
            addUnicode(QChar(static_cast<char16_t>(static_cast<uint16_t>(param))));
            m_pendingSkip = state().unicodeSkip;
        }
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    std::vector<State> m_stack;
    int m_depth = 0;
    bool m_groupStart = false;
    int m_pendingSkip = 0;
    QByteArray m_bytes;
    QString m_text;
    QList<CTavRichTextReader::Run> m_runs;
};
} // namespace

QList<CTavRichTextReader::Run> CTavRichTextReader::Parse(const QByteArray& rtf)
{
    return Parser(rtf).Run();
}

QString CTavRichTextReader::PlainText(const QByteArray& rtf)
{
    QString text;
    const QList<Run> runs = Parse(rtf);
    for (qsizetype i = 0; i < runs.size(); ++i) {
        text += runs.at(i).text;
        if (runs.at(i).paragraphEnd)
            text += u'\n';
    }
    return text;
}

void CTavRichTextReader::Fill(QTextDocument& document, const QByteArray& rtf)
{
    document.clear();
    QTextCursor cursor(&document);
    const QList<Run> runs = Parse(rtf);
    for (const Run& run : runs) {
        QTextCharFormat format;
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontPointSize(run.halfPoints / 2.0);
        cursor.insertText(run.text, format);
        if (run.paragraphEnd)
            cursor.insertBlock(QTextBlockFormat(), format);
    }
}
