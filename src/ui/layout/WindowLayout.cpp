#include "ui/layout/WindowLayout.h"

namespace tapfill::ui::layout {

std::string indexedName(std::string_view array, int index)
{
    return std::string(array) + "(" + std::to_string(index) + ")";
}

} // namespace tapfill::ui::layout
