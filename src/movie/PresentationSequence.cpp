#include "PresentationSequence.h"

#include <algorithm>

PresentationSequence::PresentationSequence(CardCount count, bool repeat, int firstCard)
    : m_count(std::move(count)),
      m_repeat(repeat),
      m_next(firstCard >= 0 && firstCard < m_count() ? firstCard : 0) {}

std::optional<int> PresentationSequence::NextCard() {
    if (m_ended) return std::nullopt;
    const int count = m_count();
    // Past the last card, also when cards went away meanwhile. An emptied album ends even a
    // repeating show, which would otherwise spin without a card to stop on.
    if (m_next >= count) {
        if (!m_repeat || count == 0) {
            m_ended = true;
            return std::nullopt;
        }
        m_next = 0;
    }
    m_shown = m_next;
    return m_shown;
}

std::optional<int> PresentationSequence::Following() const {
    if (m_ended) return std::nullopt;
    const int count = m_count();
    if (m_shown + 1 < count) return m_shown + 1;
    if (m_repeat && count > 0) return 0;
    return std::nullopt;
}

void PresentationSequence::Apply(BarResult result, int chosen) {
    switch (result) {
        case BarResult::First:
            m_next = 0;
            break;
        case BarResult::Previous:
            m_next = std::max(0, m_shown - 1);
            break;
        case BarResult::Next:
        case BarResult::Timer:
        case BarResult::Setup:
            m_next = m_shown + 1;
            break;
        case BarResult::Last:
            m_next = std::max(0, m_count() - 1);
            break;
        case BarResult::GoTo:
            m_next = chosen >= 0 && chosen < m_count() ? chosen : m_shown;
            break;
        case BarResult::Cancel:
            m_ended = true;
            break;
    }
}
