#include "converter/shell/settings.h"

#include "platform/program_folder.h"

namespace {
const std::string kSystem = "System";
const std::string kGeneral = "General";
}  // namespace

std::string ConfigFilePath() {
    return platform::ProgramFolder() + "Config.ini";
}

Settings LoadSettings(const CIni& ini) {
    Settings s;
    s.skin = ini.GetString(kSystem, "Skin", s.skin);
    s.defOutput = ini.GetString(kSystem, "DefOutput", s.defOutput);
    s.defProfile = ini.GetString(kSystem, "DefProfile", s.defProfile);
    s.videoDriver = ini.GetInt(kSystem, "VideoDriver", s.videoDriver);
    s.multiThread = ini.GetBool(kSystem, "MultiThread");
    s.openDestDir = ini.GetBool(kGeneral, "OpenDestDir");
    return s;
}

bool SaveSettings(CIni& ini, const Settings& settings) {
    bool ok = true;
    ok &= ini.WriteString(kSystem, "Skin", settings.skin);
    ok &= ini.WriteString(kSystem, "DefOutput", settings.defOutput);
    ok &= ini.WriteString(kSystem, "DefProfile", settings.defProfile);
    ok &= ini.WriteInt(kSystem, "VideoDriver", settings.videoDriver);
    ok &= ini.WriteInt(kSystem, "MultiThread", settings.multiThread ? 1 : 0);
    ok &= ini.WriteInt(kGeneral, "OpenDestDir", settings.openDestDir ? 1 : 0);
    return ok;
}
