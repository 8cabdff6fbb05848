// The configuration store on real INI files through the system's private-profile routines.
#include "config/AppConfigClass.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "base/Error.h"
#include "base/Module.h"

using config::TAppConfigClass;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

TEST(AppConfigClass, EmptyFolderGivesEmptyValuesAndWritesBackTipTimeOut) {
    TempFolder folder;
    TAppConfigClass store(folder.WidePath());
    for (const std::string* value :
         {&store.DirectUrl(), &store.CookiesDomain(), &store.CookiesName(), &store.RemoteServerIP(),
          &store.RemoteServerPort(), &store.DeskServerListenPort(), &store.SkinPath(),
          &store.AutoRegNextTime(), &store.NeverRequire(), &store.CloseAction(), &store.HotKey(),
          &store.NeverTip(), &store.WindowPos(), &store.ShotCutRemind(), &store.TrayTipShown(),
          &store.Ver()}) {
        EXPECT_EQ(*value, "");
    }
    EXPECT_EQ(store.TipTimeOut(), "10");
    EXPECT_EQ(store.SysConfigFile(), folder.WidePath() + L"SysConfig.ini");
    EXPECT_EQ(config::ReadIniValue(folder.WidePath() + L"SysConfig.ini", "Orvane", "TipTimeOut"), "10");
    // Reading never creates the other two files.
    EXPECT_FALSE(testsupport::PathExists(folder.Path() + "UserConfig.ini"));
    EXPECT_FALSE(testsupport::PathExists(folder.Path() + "Version.dat"));
}

TEST(AppConfigClass, ReadsEveryKeyFromItsFileAndSection) {
    TempFolder folder;
    WriteFileBytes(
        folder.Path() + "SysConfig.ini",
        "[Orvane]\r\nDirectUrl=http://exam.example/login.aspx\r\nCookiesDomain=d\r\nCookiesName=n\r\n"
        "RemoteServerIP=10.0.0.1\r\nRemoteServerPort=81\r\nDeskServerListenPort=82\r\nTipTimeOut=25\r\n");
    WriteFileBytes(
        folder.Path() + "UserConfig.ini",
        "[UserCustom]\r\nSkinPath=Skin\\Red\\\r\nAutoRegNextTime=1\r\nNeverRequire=1\r\nCloseAction=hide\r\n"
        "HotKey=3,90,49242\r\nNeverTip=0\r\nWindowPos=0,1,2,800,600,200,100,800,600\r\nShotCutRemind=0\r\n"
        "TrayTipShown=1\r\nWindowDpi=144\r\n"
        "[Orvane]\r\nDirectUrl=wrong section\r\n");
    WriteFileBytes(folder.Path() + "Version.dat", "[Version]\r\nVer=2.1.7\r\n");
    TAppConfigClass store(folder.WidePath());
    EXPECT_EQ(store.DirectUrl(), "http://exam.example/login.aspx");
    EXPECT_EQ(store.CookiesDomain(), "d");
    EXPECT_EQ(store.CookiesName(), "n");
    EXPECT_EQ(store.RemoteServerIP(), "10.0.0.1");
    EXPECT_EQ(store.RemoteServerPort(), "81");
    EXPECT_EQ(store.DeskServerListenPort(), "82");
    EXPECT_EQ(store.TipTimeOut(), "25");
    EXPECT_EQ(store.SkinPath(), "Skin\\Red\\");
    EXPECT_EQ(store.AutoRegNextTime(), "1");
    EXPECT_EQ(store.NeverRequire(), "1");
    EXPECT_EQ(store.CloseAction(), "hide");
    EXPECT_EQ(store.HotKey(), "3,90,49242");
    EXPECT_EQ(store.NeverTip(), "0");
    EXPECT_EQ(store.WindowPos(), "0,1,2,800,600,200,100,800,600");
    EXPECT_EQ(store.WindowDpi(), "144");
    EXPECT_EQ(store.ShotCutRemind(), "0");
    EXPECT_EQ(store.TrayTipShown(), "1");
    EXPECT_EQ(store.Ver(), "2.1.7");
    EXPECT_EQ(store.GetTitle(), "Velmora");
}

TEST(AppConfigClass, TipTimeOutWriteBack) {
    TempFolder folder;
    const std::wstring sys = folder.WidePath() + L"SysConfig.ini";
    // Present but empty: replaced in the store and in the file.
    WriteFileBytes(sys, "[Orvane]\r\nTipTimeOut=\r\nDirectUrl=x\r\n");
    EXPECT_EQ(TAppConfigClass(folder.WidePath()).TipTimeOut(), "10");
    EXPECT_EQ(config::ReadIniValue(sys, "Orvane", "TipTimeOut"), "10");
    EXPECT_EQ(config::ReadIniValue(sys, "Orvane", "DirectUrl"), "x");
    // Set: the file is not touched at all.
    const std::string content = "; comment\r\n[Orvane]\r\nTipTimeOut=25\r\n\r\n[Other]\r\nk = v \r\n";
    WriteFileBytes(sys, content);
    EXPECT_EQ(TAppConfigClass(folder.WidePath()).TipTimeOut(), "25");
    EXPECT_EQ(ReadFileBytes(sys), content);
}

TEST(AppConfigClass, UnwritableProgramFolderStillGivesAStore) {
    TempFolder folder;
    // Running as root, read-only files are writable; a directory in the file's place is not.
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "SysConfig.ini").c_str(), nullptr));
    std::unique_ptr<TAppConfigClass> store;
    ASSERT_NO_THROW(store = std::make_unique<TAppConfigClass>(folder.WidePath()));
    EXPECT_EQ(store->TipTimeOut(), "10");
}

TEST(AppConfigClass, SettersReplaceTheValueAndWriteTheUserFile) {
    TempFolder folder;
    TAppConfigClass store(folder.WidePath());
    const std::wstring user = folder.WidePath() + L"UserConfig.ini";
    store.SetHotKey("0,120,120");
    EXPECT_EQ(store.HotKey(), "0,120,120");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "HotKey"), "0,120,120");
    store.SetAutoRegNextTime("1");
    store.SetCloseAction("exit");
    store.SetWindowPos("0,100,50,1024,700,200,100,800,600");
    store.SetShotCutRemind("0");
    store.SetTrayTipShown("1");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "AutoRegNextTime"), "1");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "CloseAction"), "exit");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "WindowPos"), "0,100,50,1024,700,200,100,800,600");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "ShotCutRemind"), "0");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "TrayTipShown"), "1");
    // A new store sees what was written.
    TAppConfigClass again(folder.WidePath());
    EXPECT_EQ(again.HotKey(), "0,120,120");
    EXPECT_EQ(again.CloseAction(), "exit");
    EXPECT_EQ(again.WindowDpi(), "");
    // The placement and its DPI are written together.
    again.SetWindowPos("2,0,0,1920,1040,300,150,1200,900", "144");
    EXPECT_EQ(again.WindowDpi(), "144");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "WindowPos"), "2,0,0,1920,1040,300,150,1200,900");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "WindowDpi"), "144");
    EXPECT_EQ(config::ReadIniValue(user, "UserCustom", "HotKey"), "0,120,120");
}

TEST(AppConfigClass, FailedWriteRaisesWithTheFullPathAfterReplacingTheCache) {
    TempFolder folder;
    TAppConfigClass store(folder.WidePath());
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "UserConfig.ini").c_str(), nullptr));
    try {
        store.SetCloseAction("hide");
        FAIL() << "the write should fail";
    } catch (const base::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + folder.Path() + "UserConfig.ini");
    }
    EXPECT_EQ(store.CloseAction(), "hide");
}

TEST(AppConfigClass, LongValuesAreCutAt2047Bytes) {
    TempFolder folder;
    std::string value(3000, 'x');
    for (size_t i = 0; i < value.size(); ++i) {
        value[i] = static_cast<char>('a' + i % 26);
    }
    WriteFileBytes(folder.Path() + "UserConfig.ini", "[UserCustom]\r\nNeverTip=" + value + "\r\n");
    TAppConfigClass store(folder.WidePath());
    EXPECT_EQ(store.NeverTip(), value.substr(0, 2047));
}

TEST(AppConfigClass, ValuesInTheSystemCodePageComeBackUnchanged) {
    TempFolder folder;
    const std::string gbk = "\xBF\xBC\xCA\xD4";  // two Chinese characters in code page 936
    WriteFileBytes(folder.Path() + "SysConfig.ini", "[Orvane]\r\nDirectUrl=http://h/" + gbk + "\r\n");
    EXPECT_EQ(TAppConfigClass(folder.WidePath()).DirectUrl(), "http://h/" + gbk);
}

TEST(AppConfigClass, GetInstanceIsOneStoreUntilReleased) {
    const std::wstring folder = base::ExeFolder();
    const std::wstring sys = folder + L"SysConfig.ini";
    const std::wstring user = folder + L"UserConfig.ini";
    testsupport::RemovePath(sys);
    testsupport::RemovePath(user);
    TAppConfigClass::ReleaseInstance();

    WriteFileBytes(user, "[UserCustom]\r\nCloseAction=hide\r\n");
    TAppConfigClass* first = TAppConfigClass::GetInstance();
    EXPECT_EQ(TAppConfigClass::GetInstance(), first);
    EXPECT_EQ(first->CloseAction(), "hide");
    EXPECT_EQ(first->UserConfigFile(), user);
    // Edits by others are not seen while the store lives...
    WriteFileBytes(user, "[UserCustom]\r\nCloseAction=exit\r\n");
    EXPECT_EQ(TAppConfigClass::GetInstance()->CloseAction(), "hide");
    // ...but a new store reads the files again.
    TAppConfigClass::ReleaseInstance();
    EXPECT_EQ(TAppConfigClass::GetInstance()->CloseAction(), "exit");
    TAppConfigClass::ReleaseInstance();
    testsupport::RemovePath(sys);
    testsupport::RemovePath(user);
}
