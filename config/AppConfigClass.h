// TAppConfigClass: the one configuration store of the process. It reads "SysConfig.ini",
// "UserConfig.ini" and "Version.dat" beside the executable once, keeps every value as text, and
// writes the values the user changes straight back to "UserConfig.ini".
#pragma once

#include <string>

namespace config {

// The fixed product title.
inline constexpr const char* kTitle = "Velmora";

// One read through the system's private-profile reader: the value (ANSI, system code page), or
// empty text when the key is missing or reading fails. At most 2047 bytes of a value are seen.
// Never raises.
std::string ReadIniValue(const std::wstring& fileName, const std::string& section, const std::string& key);
// ReadIniValue, but an empty result is replaced by def, which is also written to the file.
std::string ReadIniValueDef(const std::wstring& fileName, const std::string& section, const std::string& key,
                            const std::string& def);
// One write (creating file and section as needed) through the program's atomic INI writer; raises
// base::Error "Unable to write to <full path>" when it cannot be done.
void WriteIniValue(const std::wstring& fileName, const std::string& section, const std::string& key,
                   const std::string& value);

class TAppConfigClass {
  public:
    // The store of the process, built for the executable's folder on first use.
    static TAppConfigClass* GetInstance();
    // Frees the store; the next GetInstance reads the files again.
    static void ReleaseInstance();

    // Reads every value from the three files in folder (which ends in a backslash).
    explicit TAppConfigClass(const std::wstring& folder);

    const std::wstring& SysConfigFile() const { return sysConfigFile_; }
    const std::wstring& UserConfigFile() const { return userConfigFile_; }

    // SysConfig.ini, section "Orvane".
    const std::string& DirectUrl() const { return directUrl_; }
    const std::string& CookiesDomain() const { return cookiesDomain_; }
    const std::string& CookiesName() const { return cookiesName_; }
    const std::string& RemoteServerIP() const { return remoteServerIP_; }
    const std::string& RemoteServerPort() const { return remoteServerPort_; }
    const std::string& DeskServerListenPort() const { return deskServerListenPort_; }
    const std::string& TipTimeOut() const { return tipTimeOut_; }
    // UserConfig.ini, section "UserCustom".
    const std::string& SkinPath() const { return skinPath_; }
    const std::string& AutoRegNextTime() const { return autoRegNextTime_; }
    const std::string& NeverRequire() const { return neverRequire_; }
    const std::string& CloseAction() const { return closeAction_; }
    const std::string& HotKey() const { return hotKey_; }
    const std::string& NeverTip() const { return neverTip_; }
    const std::string& WindowPos() const { return windowPos_; }
    // The DPI WindowPos was taken at; empty in files written before it was kept.
    const std::string& WindowDpi() const { return windowDpi_; }
    const std::string& ShotCutRemind() const { return shotCutRemind_; }
    // "1" once the tray icon has told the user that the program goes on running in the tray.
    const std::string& TrayTipShown() const { return trayTipShown_; }
    // Version.dat, section "Version".
    const std::string& Ver() const { return ver_; }

    // The fixed title, Velmora.
    const std::string& GetTitle();

    // Each replaces the cached value, then writes it to "UserConfig.ini" (raising on failure, when
    // the cache already holds the new value).
    void SetAutoRegNextTime(const std::string& value);
    void SetCloseAction(const std::string& value);
    void SetHotKey(const std::string& value);
    void SetWindowPos(const std::string& value);
    // WindowPos and the DPI it was taken at, in one replace of the file: never one without the other.
    void SetWindowPos(const std::string& value, const std::string& dpi);
    void SetShotCutRemind(const std::string& value);
    void SetTrayTipShown(const std::string& value);
    // The settings dialog's three values, written in one replace of the file: after a failure or a
    // kill the file holds all of the old values or all of the new ones.
    void SetSettings(const std::string& hotKey, const std::string& autoRegNextTime,
                     const std::string& closeAction);

  private:
    void LoadConfig();
    void SetUserValue(std::string& cached, const char* key, const std::string& value);

    std::wstring sysConfigFile_;
    std::wstring userConfigFile_;
    std::wstring versionFile_;

    std::string directUrl_;
    std::string cookiesDomain_;
    std::string cookiesName_;
    std::string remoteServerIP_;
    std::string remoteServerPort_;
    std::string deskServerListenPort_;
    std::string tipTimeOut_;
    std::string skinPath_;
    std::string autoRegNextTime_;
    std::string neverRequire_;
    std::string closeAction_;
    std::string hotKey_;
    std::string neverTip_;
    std::string windowPos_;
    std::string windowDpi_;
    std::string shotCutRemind_;
    std::string trayTipShown_;
    std::string ver_;
    std::string title_;
};

}  // namespace config
