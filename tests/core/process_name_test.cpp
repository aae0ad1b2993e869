#include "core/process_name.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ProcessName, FileNamePartFollowsTheLastBackslashOrColon) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"E:\\kvtr.exe", "kvtr.exe"},
      {"C:notepad.exe", "notepad.exe"},
      {"C:\\Program Files\\工具 箱\\记事本.exe", "记事本.exe"},
      {"notepad.exe", "notepad.exe"},
      {"\\\\server\\share\\a.exe", "a.exe"},
      {"C:\\dir\\", ""},
      {" spaced .exe ", " spaced .exe "},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
}

TEST(ProcessName, PosixFileNamePartFollowsTheLastSlashOnly) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"/usr/bin/xterm", "xterm"},
      {"/tmp/工具 箱/记事本", "记事本"},
      {"/opt/a:b\\c.exe", "a:b\\c.exe"},
      {"/tmp/dir/", ""},
      {"xterm", "xterm"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, PathStyle::Posix), c.name) << c.path;
  }
}

TEST(ProcessName, PosixMatchingTakesTheNameAfterTheLastSlash) {
  const struct {
    const char* exe;
    const char* name;
    bool matches;
  } cases[] = {
      {"/usr/bin/xterm", "XTERM", true},      {"/usr/bin/xterm", "/USR/BIN/XTERM", true},
      {"/usr/bin/xterm", "bin/xterm", false}, {"/opt/a:probe", "probe", false},
      {"/opt/a:probe", "a:probe", true},      {"/tmp/记事本", "记事本", true},
      {"/tmp/记事本", "记事木", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProcessNameMatches(c.exe, c.name, PathStyle::Posix), c.matches)
        << c.exe << " ~ " << c.name;
  }
}

TEST(ProcessName, UpperAsciiFoldsOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("notepad.exe"), "NOTEPAD.EXE");
  EXPECT_EQ(UpperAscii("记事本a.exe"), "记事本A.EXE");
  EXPECT_EQ(UpperAscii("ärger"), "äRGER");  // the UTF-8 bytes of ä stay as they are
}

TEST(ProcessName, MatchingIsExactApartFromAsciiCase) {
  const struct {
    const char* exe;
    const char* name;
    bool matches;
  } cases[] = {
      {"NOTEPAD.EXE", "notepad.exe", true},
      {"notepad.exe", "NotePad.Exe", true},
      {"notepad.exe", "notepad", false},
      {"notepad", "notepad.exe", false},
      {"记事本.exe", "记事本.EXE", true},
      {"记事本.exe", "记事木.exe", false},
      {"ärger.exe", "Ärger.exe", false},
      {"C:\\Windows\\notepad.exe", "NOTEPAD.EXE", true},
      {"C:\\Windows\\notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE", true},
      {"notepad.exe", "", false},
      {"a.exe", "b.exe", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProcessNameMatches(c.exe, c.name), c.matches) << c.exe << " ~ " << c.name;
  }
}

}  // namespace
}  // namespace velmora
