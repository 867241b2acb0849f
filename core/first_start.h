#pragma once
// A user's first start after an installation for every user of the computer: the installer
// cannot reach each user's profile, so it leaves a sample event list beside the programs, and
// the program copies it into the user's own data folder the first time that user starts it.
#include <string>

#include "base/environment.h"

namespace ormind {

// The sample's name in the program's folder.
inline constexpr const char* kSampleEventListName = "events.sample.txt";

enum class SampleCopy {
  NotFirstStart,     // a settings file exists: the user has started the program before
  ListAlreadyThere,  // the default event list exists and is left as it is
  NoDataFolder,      // APPDATA is not set
  NoSample,          // no readable sample beside the program
  Copied,
  Failed,            // the folder or the file could not be made; nothing was overwritten
};

// Before the settings are first read: when there is no settings file and no event list at
// the default place, makes the data folder and copies the sample there.
SampleCopy CopySampleAtFirstStart(const Environment& env, FileSystem& files);

}  // namespace ormind
