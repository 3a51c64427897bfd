#include "apps/desktop/desktop_settings.h"

#include <QDir>
#include <QSettings>

#include "apps/desktop/desktop_windows.h"

namespace modelcheck {

namespace {

constexpr const char* kSeriesFolder = "places/series_folder";
constexpr const char* kGeometry = "window/geometry";

QSettings UserSettings() { return QSettings("modelcheck", "modelcheck-gui"); }

}  // namespace

void RestoreRememberedPlaces() {
  const QSettings settings = UserSettings();
  const QString folder = settings.value(kSeriesFolder).toString();
  if (!folder.isEmpty() && QDir(folder).exists()) Windows().series_folder = folder;
  if (Windows().main != nullptr && settings.contains(kGeometry))
    Windows().main->restoreGeometry(settings.value(kGeometry).toByteArray());
}

void RememberSeriesFolder(const QString& folder) { UserSettings().setValue(kSeriesFolder, folder); }

void RememberWindowGeometry() {
  if (Windows().main != nullptr) UserSettings().setValue(kGeometry, Windows().main->saveGeometry());
}

}  // namespace modelcheck
