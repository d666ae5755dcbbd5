// tests/res/DialogTemplate.cpp
#include "DialogTemplate.h"

#include <cstring>

namespace {

// Reads little-endian fields and stops for good at the first overrun.
class Cursor {
public:
    explicit Cursor(std::string_view data) : m_data(data) {}
    bool Ok() const { return m_bOk; }

    template <typename T> T Take() {
        T value{};
        if (!m_bOk || m_nAt + sizeof(T) > m_data.size()) {
            m_bOk = false;
            return value;
        }
        std::memcpy(&value, m_data.data() + m_nAt, sizeof(T));
        m_nAt += sizeof(T);
        return value;
    }
    std::wstring TakeString() {
        std::wstring text;
        for (wchar_t c = Take<wchar_t>(); m_bOk && c; c = Take<wchar_t>())
            text += c;
        return text;
    }
    SzOrOrd TakeSzOrOrd() {
        SzOrOrd field;
        if (Peek() == 0xFFFF) {
            Take<WORD>();
            field.ordinal = Take<WORD>();
        } else {
            field.text = TakeString();
        }
        return field;
    }
    void Skip(size_t n) {
        m_bOk = m_bOk && m_nAt + n <= m_data.size();
        m_nAt += m_bOk ? n : 0;
    }
    // Each control begins on a DWORD boundary.
    void AlignToDword() { Skip((4 - m_nAt % 4) % 4); }

private:
    WORD Peek() const {
        WORD w = 0;
        if (m_nAt + sizeof(w) <= m_data.size())
            std::memcpy(&w, m_data.data() + m_nAt, sizeof(w));
        return w;
    }

    std::string_view m_data;
    size_t m_nAt = 0;
    bool m_bOk = true;
};

} // namespace

std::optional<DialogTemplate> DialogTemplate::Parse(std::string_view data) {
    Cursor in(data);
    DialogTemplate d{};
    d.version = in.Take<WORD>();
    d.signature = in.Take<WORD>();
    d.helpId = in.Take<DWORD>();
    d.exStyle = in.Take<DWORD>();
    d.style = in.Take<DWORD>();
    WORD count = in.Take<WORD>();
    d.x = in.Take<short>();
    d.y = in.Take<short>();
    d.cx = in.Take<short>();
    d.cy = in.Take<short>();
    d.menu = in.TakeSzOrOrd();
    d.windowClass = in.TakeSzOrOrd();
    d.caption = in.TakeSzOrOrd();
    if (d.version != 1 || d.signature != 0xFFFF || !(d.style & DS_SETFONT))
        return std::nullopt;
    d.pointSize = in.Take<WORD>();
    d.weight = in.Take<WORD>();
    d.italic = in.Take<BYTE>();
    d.charset = in.Take<BYTE>();
    d.typeface = in.TakeString();
    for (WORD i = 0; i < count && in.Ok(); ++i) {
        in.AlignToDword();
        DialogControl c{};
        c.helpId = in.Take<DWORD>();
        c.exStyle = in.Take<DWORD>();
        c.style = in.Take<DWORD>();
        c.x = in.Take<short>();
        c.y = in.Take<short>();
        c.cx = in.Take<short>();
        c.cy = in.Take<short>();
        c.id = in.Take<LONG>();
        c.windowClass = in.TakeSzOrOrd();
        c.text = in.TakeSzOrOrd();
        c.extraBytes = in.Take<WORD>();
        in.Skip(c.extraBytes);
        d.controls.push_back(c);
    }
    if (!in.Ok())
        return std::nullopt;
    return d;
}
