// How the file list takes large drops and pastes: 1,000, 5,000 and 20,000 paths
// dropped (WM_DROPFILES), pasted as a file list (CF_HDROP) and pasted as text lines
// (CF_UNICODETEXT, each line with blanks around the path) into the main dialog's file
// list. Not a test: run it by hand under Wine with a display and compare the times;
// the cost per 1,000 paths should stay about the same from one size to the next.
//   drux_list_bench.exe [rounds]      (default 3; the best time of the rounds is shown)
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AppTestKit.h"
#include "DRUXDlg.h"
#include "resource.h"

namespace {

double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

// Regular files with names of many lengths; a list of n paths cycles through them.
std::vector<std::wstring> MakeFiles(const std::wstring& dir) {
  std::vector<std::wstring> files;
  ::CreateDirectoryW(dir.c_str(), nullptr);
  for (int i = 0; i < 200; ++i) {
    const std::wstring path =
        dir + L"\\job " + std::to_wstring(i) + L" " + std::wstring(size_t(i % 37), L'w') + L".ps";
    std::vector<uint8_t> body(4096 + size_t(i) * 97, 'x');  // print-file sizes, not stubs
    body[0] = '%';
    body[1] = '!';
    druxtest::WriteFileBytes(path, body);
    files.push_back(path);
  }
  return files;
}

std::vector<std::wstring> Cycle(const std::vector<std::wstring>& files, size_t n) {
  std::vector<std::wstring> paths;
  paths.reserve(n);
  for (size_t i = 0; i < n; ++i) paths.push_back(files[i % files.size()]);
  return paths;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  ::OleInitialize(nullptr);
  const std::vector<std::wstring> files = MakeFiles(L"C:\\drux-list-bench");
  CDRUXDlg dlg;
  if (!dlg.Create(IDD_DRUX)) {
    std::printf("the dialog could not be created (no display?)\n");
    return 1;
  }
  dlg.ShowWindow(SW_SHOW);
  const HWND list = dlg.GetDlgItemHwnd(IDC_LST_FILES);
  std::printf("%8s %12s %12s %12s   (seconds, best of %d)\n", "paths", "drop", "paste files",
              "paste text", rounds);
  for (size_t n : {size_t(1000), size_t(5000), size_t(20000)}) {
    const std::vector<std::wstring> paths = Cycle(files, n);
    std::wstring text;
    for (const auto& p : paths) text += L"  " + p + L"  \r\n";
    double best[3] = {1e9, 1e9, 1e9};
    for (int r = 0; r < rounds; ++r) {
      for (int way = 0; way < 3; ++way) {
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        if (way == 1) druxtest::PutClipboardFiles(paths);
        if (way == 2) druxtest::PutClipboardText(text);
        HGLOBAL drop = way == 0 ? druxtest::MakeDropList(paths) : nullptr;
        const double start = Now();
        if (way == 0) ::SendMessageW(dlg.m_hWnd, WM_DROPFILES, WPARAM(drop), 0);
        else druxtest::PressKey(list, 'V', true);
        druxtest::Pump(0);
        const double took = Now() - start;
        const int count = int(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        if (count != int(n)) std::printf("  (way %d listed %d of %zu)\n", way, count, n);
        best[way] = std::min(best[way], took);
      }
    }
    std::printf("%8zu %12.3f %12.3f %12.3f   per 1,000: %.3f %.3f %.3f\n", n, best[0], best[1],
                best[2], best[0] * 1000 / double(n), best[1] * 1000 / double(n),
                best[2] * 1000 / double(n));
  }
  dlg.DestroyWindow();
  ::OleUninitialize();
  return 0;
}
