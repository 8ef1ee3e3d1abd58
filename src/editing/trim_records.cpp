#include "editing/trim_records.h"

namespace korvix {

bool NumberedPath::start(const MoveRecord& first, const Point3& position) {
    if (!m_list.createFirst())
        return false;
    MoveRecord& s = *m_list.head();
    s = first;
    s.prev = s.next = nullptr;
    s.visible = 1;
    s.selected = 0;
    s.sequence = 1;
    s.blockNumber = 1;
    s.x = static_cast<float>(position.x);
    s.y = static_cast<float>(position.y);
    s.z = static_cast<float>(position.z);
    s.screenX = s.screenY = 0;
    m_tail = &s;
    m_sequence = 1;
    m_block = 1;
    m_count = 1;
    return true;
}

MoveRecord* NumberedPath::appendNumbered(std::uint8_t kind, const Point3& p) {
    if (!m_list.append(m_tail))
        return nullptr;
    m_block = m_block < 32767 ? static_cast<std::uint16_t>(m_block + 1) : std::uint16_t{1};
    ++m_sequence;
    ++m_count;
    MoveRecord& r = *m_tail; // value-initialised: arc fields and screen position are 0
    r.kind = kind;
    r.visible = 1;
    r.sequence = m_sequence;
    r.blockNumber = m_block;
    r.x = static_cast<float>(p.x);
    r.y = static_cast<float>(p.y);
    r.z = static_cast<float>(p.z);
    return &r;
}

void NumberedPath::remove(MoveRecord* r) {
    r->prev->next = r->next;
    if (r->next != nullptr)
        r->next->prev = r->prev;
    else
        m_tail = r->prev;
    m_list.release(r);
    --m_count;
}

void NumberedPath::renumber() {
    m_sequence = 0;
    m_block = 0;
    for (MoveRecord* r = m_list.head(); r != nullptr; r = r->next) {
        m_block = m_block < 32767 ? static_cast<std::uint16_t>(m_block + 1) : std::uint16_t{1};
        r->sequence = ++m_sequence;
        r->blockNumber = m_block;
    }
}

MoveRecord* NumberedPath::appendCut(const MoveRecord& source, const Point3& p,
                                    std::uint8_t optionalStop) {
    MoveRecord* r = appendNumbered(kKindStraight, p);
    if (r == nullptr)
        return nullptr;
    r->optionalStop = optionalStop;
    r->color = source.color;
    r->tool = source.tool;
    r->feed = source.feed;
    r->sourceLine = source.sourceLine;
    r->motion = source.motion <= kMotionLinear ? source.motion : kMotionLinear;
    return r;
}

MoveRecord* NumberedPath::appendPositioning(std::uint8_t kind, const Point3& p, std::uint8_t tool,
                                            const LinkStyle& style) {
    MoveRecord* r = appendNumbered(kind, p);
    if (r == nullptr)
        return nullptr;
    r->tool = tool;
    if (style.rapidPositioning) {
        r->motion = kMotionRapid;
        r->feed = 0;
        r->color = kRapidColor;
    } else {
        r->motion = kMotionLinear;
        r->feed = style.plungeFeed;
        r->color = kWhite;
    }
    return r;
}

MoveRecord* NumberedPath::appendPlunge(std::uint8_t kind, const Point3& p, std::uint8_t tool,
                                       const LinkStyle& style) {
    MoveRecord* r = appendNumbered(kind, p);
    if (r == nullptr)
        return nullptr;
    r->tool = tool;
    r->motion = kMotionLinear;
    r->feed = style.plungeFeed;
    r->color = kWhite;
    return r;
}

} // namespace korvix
