// The application's registry profile: HKCU\Software\<company>\<application>\<section>.
#include "CWinApp.h"

#include <gtest/gtest.h>

namespace {

class ProfileApp : public CWinApp {
public:
  ProfileApp() : CWinApp(L"ProfileTest") { InitApplication(GetModuleHandleW(nullptr)); }
};

TEST(CWinAppProfile, RoundTripUnderCompanyAndApplication) {
  ProfileApp app;
  EXPECT_EQ(AfxGetApp(), &app);
  // Without a registry key nothing is written and defaults come back.
  EXPECT_FALSE(app.WriteProfileString(L"Directories", L"INFFile", L"C:\\a.inf"));
  EXPECT_EQ(app.GetProfileString(L"Directories", L"INFFile", L"none"), CString(L"none"));

  app.SetRegistryKey(L"QvTestCompany");
  EXPECT_EQ(app.GetProfileString(L"Directories", L"INFFile"), CString());
  ASSERT_TRUE(app.WriteProfileString(L"Directories", L"INFFile", L"C:\\drivers\\x.inf"));
  EXPECT_EQ(app.GetProfileString(L"Directories", L"INFFile"), CString(L"C:\\drivers\\x.inf"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\QvTestCompany\\ProfileTest\\Directories", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);

  // Another company text is another key.
  app.SetRegistryKey(L"QvOtherCompany");
  EXPECT_EQ(app.GetProfileString(L"Directories", L"INFFile", L"none"), CString(L"none"));

  app.SetRegistryKey(L"QvTestCompany");
  EXPECT_TRUE(app.WriteProfileInt(L"Numbers", L"Count", 42));
  EXPECT_EQ(app.GetProfileInt(L"Numbers", L"Count", 0), 42u);
  EXPECT_EQ(app.GetProfileInt(L"Numbers", L"Missing", 7), 7u);
  EXPECT_TRUE(app.WriteProfileString(L"Directories", L"INFFile", nullptr));  // removes it
  EXPECT_EQ(app.GetProfileString(L"Directories", L"INFFile", L"gone"), CString(L"gone"));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QvTestCompany");
}

}  // namespace
