#include "config/AppConfigClass.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/Error.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"
#include "config/IniFile.h"

namespace config {
namespace {

const char kSysSection[] = "Orvane";
const char kUserSection[] = "UserCustom";
const char kVersionSection[] = "Version";
const char kTipTimeOutDefault[] = "10";

std::unique_ptr<TAppConfigClass>& Instance() {
    static std::unique_ptr<TAppConfigClass> instance;
    return instance;
}

}  // namespace

std::string ReadIniValue(const std::wstring& fileName, const std::string& section, const std::string& key) {
    wchar_t buffer[2048] = {};
    const DWORD n = GetPrivateProfileStringW(base::AnsiToWide(section).c_str(), base::AnsiToWide(key).c_str(),
                                             L"", buffer, 2048, base::ShortFormPath(fileName).c_str());
    // The value in the system code page, of which at most 2047 bytes are seen.
    std::string value = base::WideToAnsi(std::wstring_view(buffer, std::min<DWORD>(n, 2047)));
    if (value.size() > 2047) {
        value.resize(2047);
    }
    return value;
}

std::string ReadIniValueDef(const std::wstring& fileName, const std::string& section, const std::string& key,
                            const std::string& def) {
    std::string value = ReadIniValue(fileName, section, key);
    if (value.empty()) {
        value = def;
        WriteIniValue(fileName, section, key, def);
    }
    return value;
}

void WriteIniValue(const std::wstring& fileName, const std::string& section, const std::string& key,
                   const std::string& value) {
    WriteIniFileValue(fileName, section, key, value);
}

TAppConfigClass* TAppConfigClass::GetInstance() {
    auto& instance = Instance();
    if (!instance) {
        instance = std::make_unique<TAppConfigClass>(base::ExeFolder());
    }
    return instance.get();
}

void TAppConfigClass::ReleaseInstance() {
    Instance().reset();
}

TAppConfigClass::TAppConfigClass(const std::wstring& folder)
    : sysConfigFile_(folder + L"SysConfig.ini"),
      userConfigFile_(folder + L"UserConfig.ini"),
      versionFile_(folder + L"Version.dat") {
    LoadConfig();
}

void TAppConfigClass::LoadConfig() {
    directUrl_ = ReadIniValue(sysConfigFile_, kSysSection, "DirectUrl");
    cookiesDomain_ = ReadIniValue(sysConfigFile_, kSysSection, "CookiesDomain");
    cookiesName_ = ReadIniValue(sysConfigFile_, kSysSection, "CookiesName");
    remoteServerIP_ = ReadIniValue(sysConfigFile_, kSysSection, "RemoteServerIP");
    remoteServerPort_ = ReadIniValue(sysConfigFile_, kSysSection, "RemoteServerPort");
    deskServerListenPort_ = ReadIniValue(sysConfigFile_, kSysSection, "DeskServerListenPort");
    try {
        tipTimeOut_ = ReadIniValueDef(sysConfigFile_, kSysSection, "TipTimeOut", kTipTimeOutDefault);
    } catch (const base::Error&) {
        // A program folder we cannot write to must not stop the program: keep the default in memory.
        base::LogCaughtException("Writing back the default TipTimeOut");
        tipTimeOut_ = kTipTimeOutDefault;
    }
    skinPath_ = ReadIniValue(userConfigFile_, kUserSection, "SkinPath");
    autoRegNextTime_ = ReadIniValue(userConfigFile_, kUserSection, "AutoRegNextTime");
    neverRequire_ = ReadIniValue(userConfigFile_, kUserSection, "NeverRequire");
    closeAction_ = ReadIniValue(userConfigFile_, kUserSection, "CloseAction");
    hotKey_ = ReadIniValue(userConfigFile_, kUserSection, "HotKey");
    neverTip_ = ReadIniValue(userConfigFile_, kUserSection, "NeverTip");
    windowPos_ = ReadIniValue(userConfigFile_, kUserSection, "WindowPos");
    windowDpi_ = ReadIniValue(userConfigFile_, kUserSection, "WindowDpi");
    shotCutRemind_ = ReadIniValue(userConfigFile_, kUserSection, "ShotCutRemind");
    trayTipShown_ = ReadIniValue(userConfigFile_, kUserSection, "TrayTipShown");
    ver_ = ReadIniValue(versionFile_, kVersionSection, "Ver");
}

const std::string& TAppConfigClass::GetTitle() {
    title_ = kTitle;
    return title_;
}

void TAppConfigClass::SetUserValue(std::string& cached, const char* key, const std::string& value) {
    cached = value;
    WriteIniValue(userConfigFile_, kUserSection, key, value);
}

void TAppConfigClass::SetSettings(const std::string& hotKey, const std::string& autoRegNextTime,
                                  const std::string& closeAction) {
    hotKey_ = hotKey;
    autoRegNextTime_ = autoRegNextTime;
    closeAction_ = closeAction;
    WriteIniFileValues(
        userConfigFile_, kUserSection,
        {{"HotKey", hotKey}, {"AutoRegNextTime", autoRegNextTime}, {"CloseAction", closeAction}});
}

void TAppConfigClass::SetAutoRegNextTime(const std::string& value) {
    SetUserValue(autoRegNextTime_, "AutoRegNextTime", value);
}
void TAppConfigClass::SetCloseAction(const std::string& value) {
    SetUserValue(closeAction_, "CloseAction", value);
}
void TAppConfigClass::SetHotKey(const std::string& value) {
    SetUserValue(hotKey_, "HotKey", value);
}
void TAppConfigClass::SetWindowPos(const std::string& value) {
    SetUserValue(windowPos_, "WindowPos", value);
}
void TAppConfigClass::SetWindowPos(const std::string& value, const std::string& dpi) {
    windowPos_ = value;
    windowDpi_ = dpi;
    WriteIniFileValues(userConfigFile_, kUserSection, {{"WindowPos", value}, {"WindowDpi", dpi}});
}
void TAppConfigClass::SetShotCutRemind(const std::string& value) {
    SetUserValue(shotCutRemind_, "ShotCutRemind", value);
}
void TAppConfigClass::SetTrayTipShown(const std::string& value) {
    SetUserValue(trayTipShown_, "TrayTipShown", value);
}

}  // namespace config
