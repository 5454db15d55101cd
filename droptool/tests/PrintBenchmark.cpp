// Throughput of PrintFiles against a bare WritePrinter loop of the same chunk size on
// the same printer, in one run. Not a test: run it by hand under Wine (with a display
// for the progress window) and compare the two rates.
//   drux_bench.exe [megabytes [rounds]]      (default 256 MB, 8 rounds)
// The spool file goes through the page cache, so single runs vary by tens of percent;
// the median of the per-round ratios (each round runs both sides back to back) is the
// steadier figure.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "PrintEngine.h"
#include "PrintFiles.h"
#include "WineHarness.h"

namespace {

const wchar_t kPrinter[] = L"DRUX Bench";
const wchar_t kFile[] = L"C:\\drux-bench.bin";

double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

bool MakeFile(uint64_t bytes) {
  HANDLE h = ::CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::vector<uint8_t> block(1 << 20);
  for (size_t i = 0; i < block.size(); ++i) block[i] = uint8_t(i * 131 + i / 4099);
  bool ok = true;
  for (uint64_t done = 0; ok && done < bytes; done += block.size()) {
    DWORD n = 0;
    ok = ::WriteFile(h, block.data(), DWORD(block.size()), &n, nullptr) && n == block.size();
  }
  ::CloseHandle(h);
  return ok;
}

// The same job without the engine: open, one document, 32 KB reads and writes.
bool BareLoop() {
  PRINTER_DEFAULTSW defaults{const_cast<LPWSTR>(L"RAW"), nullptr, PRINTER_ACCESS_USE | READ_CONTROL};
  HANDLE printer = nullptr;
  if (!::OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, &defaults)) return false;
  DOC_INFO_1W doc{const_cast<LPWSTR>(L"bare loop"), nullptr, const_cast<LPWSTR>(L"RAW")};
  HANDLE file = ::CreateFileW(kFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE && ::StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc)) &&
            ::StartPagePrinter(printer);
  static uint8_t buffer[drux::kChunkSize];
  while (ok) {
    DWORD got = 0, written = 0;
    ok = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) &&
         ::WritePrinter(printer, buffer, got, &written) && written == got;
    if (got < sizeof buffer) break;
  }
  ::EndPagePrinter(printer);
  ::EndDocPrinter(printer);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  ::ClosePrinter(printer);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  druxtest::RunWithUnmanagedWindows();
  const uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 256;
  const uint64_t bytes = megabytes << 20;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 8;
  std::wstring error;
  if (!druxtest::AddCapturePrinter(kPrinter, L"DRUXBENCH:", "/dev/null", &error)) {
    std::fprintf(stderr, "printer: %ls\n", error.c_str());
    return 1;
  }
  if (!MakeFile(bytes)) {
    std::fprintf(stderr, "cannot write %ls\n", kFile);
    return 1;
  }
  CStringList files;
  files.AddTail(kFile);
  double best[2] = {1e30, 1e30};
  std::vector<double> ratios;
  // The order alternates so that neither side always runs on a warmer cache.
  for (int round = 0; round < rounds; ++round) {
    double engine = 0, bare = 0;
    for (int turn = 0; turn < 2; ++turn) {
      const double t = Now();
      if ((turn == 0) == (round % 2 == 0)) {
        PrintFiles(kPrinter, files, nullptr);
        engine = Now() - t;
      } else {
        if (!BareLoop()) {
          std::fprintf(stderr, "bare loop failed: %lu\n", ::GetLastError());
          return 1;
        }
        bare = Now() - t;
      }
    }
    std::printf("round %d: PrintFiles %.1f MB/s (%.2f s), bare WritePrinter loop %.1f MB/s (%.2f s)\n",
                round + 1, double(megabytes) / engine, engine, double(megabytes) / bare, bare);
    if (engine < best[0]) best[0] = engine;
    if (bare < best[1]) best[1] = bare;
    ratios.push_back(bare / engine);
  }
  std::sort(ratios.begin(), ratios.end());
  const size_t mid = ratios.size() / 2;
  const double median =
      ratios.size() % 2 ? ratios[mid] : (ratios[mid - 1] + ratios[mid]) / 2;
  std::printf("best: PrintFiles %.1f MB/s, bare loop %.1f MB/s, engine/bare = %.1f %%\n",
              double(megabytes) / best[0], double(megabytes) / best[1], 100.0 * best[1] / best[0]);
  std::printf("median of the per-round ratios: engine/bare = %.1f %%\n", 100.0 * median);
  ::DeleteFileW(kFile);
  return 0;
}
