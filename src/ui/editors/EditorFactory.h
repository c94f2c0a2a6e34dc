#pragma once

#include <memory>

#include "settings/SettingsStore.h"
#include "ui/editors/SiteEditor.h"

class QWidget;

namespace tamrik {

// Creates an editor or view of the site in `store`, filled and ready to show.
std::unique_ptr<SiteEditor> CreateSiteEditor(EditorView view, SettingsStore& store, QWidget* parent);

}  // namespace tamrik
