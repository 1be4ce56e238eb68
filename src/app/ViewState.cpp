#include "app/ViewState.h"

void TViewState::setSelectedCategory(int category) {
    if (category == selectedCategory_)
        return;
    selectedCategory_ = category;
    emit selectedCategoryChanged();
}

void TViewState::setZoom(int percent) {
    if (percent == zoom_)
        return;
    zoom_ = percent;
    emit previewChanged();
}

void TViewState::setPage(int page) {
    if (page == page_)
        return;
    page_ = page;
    emit previewChanged();
}

void TViewState::setOnlySelectedCategory(bool on) {
    if (on == onlySelectedCategory_)
        return;
    onlySelectedCategory_ = on;
    emit previewChanged();
}
