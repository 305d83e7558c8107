#pragma once
// The three field sets and the pages that show them: how many fields each
// set has and which set a page pastes from. Plain C++, for the model and for
// the window descriptions alike.

namespace tapfill::model {

inline constexpr int OneLineFieldCount = 12;
inline constexpr int PersonalFieldCount = 10;
inline constexpr int MultiLineFieldCount = 12;
/// The multi-line fields stand four to an inner page of the multi-line page.
inline constexpr int MultiLineFieldsPerPage = 4;
/// The descriptions file may hold one line more than there are multi-line
/// fields; it is read and written back, but never shown.
inline constexpr int StoredDescriptionCount = MultiLineFieldCount + 1;

enum class FieldSet { OneLine, Personal, MultiLine };

/// The pages of the main window, in tab order.
enum class Page { OneLine = 0, Personal = 1, MultiLine = 2, Options = 3 };

/// How many fields a set has.
constexpr int fieldCount(FieldSet set)
{
    switch (set) {
    case FieldSet::OneLine: return OneLineFieldCount;
    case FieldSet::Personal: return PersonalFieldCount;
    case FieldSet::MultiLine: return MultiLineFieldCount;
    }
    return 0;
}

} // namespace tapfill::model
