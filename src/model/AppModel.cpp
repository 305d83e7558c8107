#include "model/AppModel.h"

#include <utility>

namespace tapfill::model {

const std::string& AppModel::text(FieldSet set, int index) const
{
    return const_cast<AppModel*>(this)->slot(set, index);
}

std::string& AppModel::slot(FieldSet set, int index)
{
    switch (set) {
    case FieldSet::OneLine: return oneLine_.at(index);
    case FieldSet::Personal: return personal_.at(index);
    case FieldSet::MultiLine: break;
    }
    return multiLineTexts_.at(index);
}

void AppModel::setText(FieldSet set, int index, std::string text)
{
    std::string& slot = this->slot(set, index);
    if (slot == text)
        return;
    slot = std::move(text);
    textChanged.notify(set, index);
}

void AppModel::setDescription(int index, std::string text)
{
    std::string& slot = descriptions_.at(index);
    if (slot == text)
        return;
    slot = std::move(text);
    descriptionChanged.notify(index);
}

void AppModel::setStoredDescriptions(std::array<std::string, StoredDescriptionCount> descriptions)
{
    for (int k = 0; k < StoredDescriptionCount; ++k)
        setDescription(k, std::move(descriptions[k]));
}

void AppModel::select(FieldSet set, int index)
{
    if (index < 0 || index >= fieldCount(set))
        return;
    if (set == FieldSet::MultiLine)
        multiLine_ = index;
    else
        lineOrPersonal_ = {set, index};
    fieldSelected.notify(set, index);
}

int AppModel::selectedIndex(FieldSet set) const
{
    if (set == FieldSet::MultiLine)
        return multiLine_;
    return lineOrPersonal_.set == set ? lineOrPersonal_.index : -1;
}

FieldSet AppModel::pastedSet(Page page)
{
    switch (page) {
    case Page::Personal: return FieldSet::Personal;
    case Page::MultiLine: return FieldSet::MultiLine;
    case Page::OneLine:
    case Page::Options: break;
    }
    return FieldSet::OneLine;
}

void AppModel::setPages(Page page, int multiLinePage)
{
    page_ = page;
    multiLinePage_ = multiLinePage;
}

void AppModel::setClickAcceptance(bool on)
{
    if (clickAcceptance_ == on)
        return;
    clickAcceptance_ = on;
    clickAcceptanceChanged.notify(on);
}

void AppModel::setPasteMode(bool on)
{
    if (pasteMode_ == on)
        return;
    pasteMode_ = on;
    pasteModeChanged.notify(on);
}

void AppModel::setShowsActivePicture(bool on)
{
    if (showsActivePicture_ == on)
        return;
    showsActivePicture_ = on;
    lookChanged.notify();
}

void AppModel::setShowsPasteInstructions(bool on)
{
    if (showsPasteInstructions_ == on)
        return;
    showsPasteInstructions_ = on;
    lookChanged.notify();
}

} // namespace tapfill::model
