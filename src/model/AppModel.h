#pragma once
// What Tapfill holds and what the user has chosen, without any widget: the
// three field sets, the field selected in them, the paste options, click
// acceptance and paste mode, and the page being shown. The windows show this
// model and change it; the paste engine works on it; the data files are
// loaded into it and saved from it.

#include "model/Fields.h"
#include "model/Signal.h"

#include <array>
#include <string>

namespace tapfill::model {

/// Which field a paste delivers. One-line and personal fields share one
/// selection (choosing a personal field clears the one-line choice, and the
/// other way round); multi-line fields have a selection of their own.
struct Selection {
    FieldSet set = FieldSet::OneLine;
    int index = -1; ///< -1: nothing selected
    bool operator==(const Selection&) const = default;
};

class AppModel {
public:
    AppModel() = default;
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    // ---- texts (UTF-8; multi-line texts break lines with LF) ----------------
    const std::string& text(FieldSet set, int index) const;
    void setText(FieldSet set, int index, std::string text);

    /// The description shown beside multi-line field `index`.
    const std::string& description(int index) const { return descriptions_.at(index); }
    void setDescription(int index, std::string text);
    const std::array<std::string, StoredDescriptionCount>& storedDescriptions() const { return descriptions_; }
    void setStoredDescriptions(std::array<std::string, StoredDescriptionCount> descriptions);

    // ---- selection --------------------------------------------------------------
    Selection lineOrPersonalSelection() const { return lineOrPersonal_; }
    int multiLineSelection() const { return multiLine_; }
    /// Selects a field. Every selection is announced, also of the field that
    /// was already selected: choosing a field is an act of the user's.
    void select(FieldSet set, int index);
    /// The selected field of the set that the page being shown pastes from
    /// (the one-line set for the options page); -1 when none is selected.
    int selectedIndex(FieldSet set) const;
    /// The set a paste takes its text from while `page` is shown.
    static FieldSet pastedSet(Page page);

    // ---- pages ----------------------------------------------------------------
    Page page() const { return page_; }
    /// The inner page of the multi-line set: 0, 1 or 2, four fields each.
    int multiLinePage() const { return multiLinePage_; }
    void setPages(Page page, int multiLinePage);

    // ---- paste options ----------------------------------------------------------
    bool autoTab = false;
    bool autoEnter = false;
    bool autoAdvance = false;

    // ---- modes ------------------------------------------------------------------
    /// Left clicks anywhere start a paste.
    bool clickAcceptance() const { return clickAcceptance_; }
    void setClickAcceptance(bool on);
    /// Right clicks anywhere are kept from their program, raise the main
    /// window and advance the selection.
    bool pasteMode() const { return pasteMode_; }
    void setPasteMode(bool on);
    /// The main window's picture shows click acceptance as switched by PASTE.
    bool showsActivePicture() const { return showsActivePicture_; }
    void setShowsActivePicture(bool on);
    /// The instructions for pasting, shown once PASTE has switched acceptance on.
    bool showsPasteInstructions() const { return showsPasteInstructions_; }
    void setShowsPasteInstructions(bool on);

    // ---- the main window's position in the data files, in twips -----------------
    double windowLeft = 0;
    double windowTop = 0;

    // ---- notifications ------------------------------------------------------------
    Signal<FieldSet, int> textChanged;
    Signal<int> descriptionChanged;
    /// Every selection, also of the field that was already selected.
    Signal<FieldSet, int> fieldSelected;
    Signal<bool> pasteModeChanged;
    Signal<bool> clickAcceptanceChanged;
    /// The picture or the paste instructions shown or hidden.
    Signal<> lookChanged;

private:
    std::string& slot(FieldSet set, int index);

    std::array<std::string, OneLineFieldCount> oneLine_{};
    std::array<std::string, PersonalFieldCount> personal_{};
    std::array<std::string, MultiLineFieldCount> multiLineTexts_{};
    std::array<std::string, StoredDescriptionCount> descriptions_{};
    Selection lineOrPersonal_;
    int multiLine_ = -1;
    Page page_ = Page::OneLine;
    int multiLinePage_ = 0;
    bool clickAcceptance_ = false;
    bool pasteMode_ = false;
    bool showsActivePicture_ = false;
    bool showsPasteInstructions_ = false;
};

} // namespace tapfill::model
