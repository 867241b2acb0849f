#include "core/first_start.h"

#include <optional>

#include "core/settings.h"

namespace ormind {

SampleCopy CopySampleAtFirstStart(const Environment& env, FileSystem& files) {
  const std::optional<std::string> appData = env.AppData();
  if (!appData || appData->empty()) return SampleCopy::NoDataFolder;
  const Settings defaults = DefaultSettings(env);
  if (files.IsRegularFile(defaults.SettingsPath)) return SampleCopy::NotFirstStart;
  if (files.IsRegularFile(defaults.EventsPath)) return SampleCopy::ListAlreadyThere;
  const std::string folder = env.ProgramFolder();
  if (folder.empty()) return SampleCopy::NoSample;
  const std::optional<std::string> sample = files.ReadAll(folder + kSampleEventListName);
  if (!sample) return SampleCopy::NoSample;
  const std::string dataFolder =
      defaults.EventsPath.substr(0, defaults.EventsPath.find_last_of("/\\"));
  if (!files.CreateFolder(dataFolder)) return SampleCopy::Failed;
  return files.CreateNewFile(defaults.EventsPath, *sample) ? SampleCopy::Copied
                                                           : SampleCopy::Failed;
}

}  // namespace ormind
