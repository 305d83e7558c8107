// Moving the selection to the next field of the page being shown, wrapping
// from the last field to the first. On the multi-line page the advance stays
// within the four fields of the inner page being shown.

#include "engine/PasteEngine.h"

namespace tapfill::engine {

using model::FieldSet;

void PasteEngine::advance()
{
    if (skipNextAdvance_) {
        skipNextAdvance_ = false;
        return;
    }
    const FieldSet set = model::AppModel::pastedSet(model_.page());
    int first = 0;
    int count = model::fieldCount(set);
    if (set == FieldSet::MultiLine) {
        first = model::MultiLineFieldsPerPage * model_.multiLinePage();
        count = model::MultiLineFieldsPerPage;
    }
    const int selected = model_.selectedIndex(set);
    if (selected >= first && selected < first + count)
        model_.select(set, first + (selected - first + 1) % count);
    skipNextAdvance_ = true;
}

} // namespace tapfill::engine
