#include "platform/profile/Profile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/plume-profile-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    // Tests may leave the folder without permissions; give them back so it can go.
    ::chmod(dir_.c_str(), 0700);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }

  void Put(const std::string& text, const std::string& name = "t.ini") const {
    std::ofstream(PathOf(name), std::ios::binary) << text;
  }
  std::string Contents(const std::string& name = "t.ini") const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Reads a value and checks that the return value counts what was copied.
  std::string Get(const char* section, const char* key, const char* fallback = "dflt", DWORD size = 256) const {
    std::string buffer(size, '#');
    const DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, PathOf("t.ini").c_str());
    EXPECT_EQ(n, std::string(buffer.c_str()).size());
    return buffer.c_str();
  }

  // Lists names, returning the bytes up to and including the double NUL, as a caller
  // walking the list would see them.
  std::string List(const char* section, DWORD size, DWORD& returned) const {
    std::string buffer(size, '#');
    returned = GetPrivateProfileStringA(section, nullptr, "dflt", buffer.data(), size, PathOf("t.ini").c_str());
    return buffer.substr(0, buffer.find(std::string(2, '\0')) + 2);
  }

  BOOL Set(const char* section, const char* key, const char* value, const std::string& name = "t.ini") const {
    return WritePrivateProfileStringA(section, key, value, PathOf(name).c_str());
  }

  std::string dir_;
};

struct ReadCase {
  const char* what;
  const char* file;
  const char* section;
  const char* key;
  const char* fallback;
  const char* expected;
};

TEST_F(ProfileTest, ReadsValuesAsTheOriginalSystemDid) {
  const ReadCase cases[] = {
      {"names ignore case", "[Plume]\nVolume=7\n", "pLUME", "VOLUME", "d", "7"},
      {"blanks and tabs trimmed", "[s]\nk= \t x y \t \n", "s", "k", "d", "x y"},
      {"blanks around names", "  [  My Sec  ]  \n \t My Key \t =v\n", "My Sec", "My Key", "d", "v"},
      {"double quotes removed", "[s]\nk= \"  a b  \" \n", "s", "k", "d", "  a b  "},
      {"single quotes removed", "[s]\nk='x'\n", "s", "k", "d", "x"},
      {"only one pair removed", "[s]\nk=\"\"x\"\"\n", "s", "k", "d", "\"x\""},
      {"mismatched quotes kept", "[s]\nk=\"x'\n", "s", "k", "d", "\"x'"},
      {"lone quote kept", "[s]\nk=\"\n", "s", "k", "d", "\""},
      {"empty quotes give empty", "[s]\nk=''\n", "s", "k", "d", ""},
      {"key= is empty, not default", "[s]\nk=\n", "s", "k", "d", ""},
      {"value keeps later =", "[s]\nk=a=b\n", "s", "k", "d", "a=b"},
      {"semicolon inside a value kept", "[s]\nk=a ; b\n", "s", "k", "d", "a ; b"},
      {"missing key", "[s]\nk=1\n", "s", "other", "d", "d"},
      {"missing section", "[s]\nk=1\n", "t", "k", "d", "d"},
      {"default loses trailing blanks", "", "s", "k", "  d  ", "  d"},
      {"null default is empty", "", "s", "k", nullptr, ""},
      {"line without = is no key", "[s]\nk\n", "s", "k", "d", "d"},
      {"first duplicate key wins", "[s]\nk=1\nK=2\n", "s", "k", "d", "1"},
      {"only first duplicate section", "[s]\na=1\n[t]\n[S]\nb=2\n", "s", "b", "d", "d"},
      {"comment is no key", "[s]\n  ;k=1\n", "s", "k", "d", "d"},
      {"keys before any section", "k=1\n[s]\n", "s", "k", "d", "d"},
      {"header without ] is no section", "[s]\nk=1\n[t\nk=2\n", "t", "k", "d", "d"},
      {"keys stay in section past bad header", "[s]\n[t\nj=2\n", "s", "j", "d", "2"},
      {"byte-order mark skipped", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "d", "1"},
      {"UTF-8 bytes kept", "[s]\nk=Caf\xC3\xA9\n", "s", "k", "d", "Caf\xC3\xA9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.file);
    EXPECT_EQ(Get(c.section, c.key, c.fallback), c.expected);
  }
}

TEST_F(ProfileTest, ReadsEveryKindOfLineEnd) {
  for (const char* file :
       {"[s]\na=1\nb=2\nc=3", "[s]\ra=1\rb=2\rc=3\r", "[s]\r\na=1\r\nb=2\r\nc=3\r\n", "[s]\r\na=1\nb=2\rc=3\n"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(file)));
    Put(file);
    EXPECT_EQ(Get("s", "a") + Get("s", "b") + Get("s", "c"), "123");
  }
}

TEST_F(ProfileTest, MissingFileGivesDefaultsAndEmptyLists) {
  EXPECT_EQ(Get("s", "k", "fallback "), "fallback");
  DWORD n = 99;
  EXPECT_EQ(List(nullptr, 8, n), std::string(2, '\0'));
  EXPECT_EQ(n, 0u);
}

TEST_F(ProfileTest, CutsValuesToTheBuffer) {
  Put("[s]\nk=abcdef\n");
  EXPECT_EQ(Get("s", "k", "", 7), "abcdef");
  EXPECT_EQ(Get("s", "k", "", 6), "abcde");
  EXPECT_EQ(Get("s", "k", "", 1), "");
  EXPECT_EQ(Get("s", "missing", "xyz", 3), "xy");

  char buffer[4] = "##";
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 0, PathOf("t.ini").c_str()), 0u);
  EXPECT_STREQ(buffer, "##");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", nullptr, 4, PathOf("t.ini").c_str()), 0u);
}

TEST_F(ProfileTest, ListsKeysAndSections) {
  Put("[one]\nA=1\nb=2\n;c=3\nd\na=4\n[Two]\ne=5\n[ONE]\nf=6\n");
  DWORD n = 0;
  EXPECT_EQ(List("One", 64, n), std::string("A\0b\0\0", 5));
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(List(nullptr, 64, n), std::string("one\0Two\0\0", 9));
  EXPECT_EQ(n, 8u);
  EXPECT_EQ(List("none", 64, n), std::string(2, '\0'));
  EXPECT_EQ(n, 0u);

  // A list that does not fit is cut, keeps its double NUL and reports nSize - 2.
  EXPECT_EQ(List("one", 4, n), std::string("A\0\0", 3));
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(List(nullptr, 6, n), std::string("one\0\0", 5));
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(List(nullptr, 5, n), std::string("one\0\0", 5));
  EXPECT_EQ(n, 3u);
}

TEST_F(ProfileTest, CreatesFileWithCrlfLines) {
  ASSERT_TRUE(Set("Plume", "Volume", "7"));
  EXPECT_EQ(Contents(), "[Plume]\r\nVolume=7\r\n");
  ASSERT_TRUE(Set("Plume", "Title", "Caf\xC3\xA9 del Mar"));
  EXPECT_EQ(Get("plume", "title"), "Caf\xC3\xA9 del Mar");
  EXPECT_EQ(fs::directory_iterator(dir_)->path().filename(), "t.ini");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

struct WriteCase {
  const char* what;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST_F(ProfileTest, ChangesOnlyWhatItMust) {
  const WriteCase cases[] = {
      {"replaces in place, keeps spelling, comments and other sections",
       "; top\n[a]\nx=1\n  Key = old  \ny=2\n\n[b]\nz=3\nunknown line\n", "A", "KEY", "new",
       "; top\r\n[a]\r\nx=1\r\nKey=new\r\ny=2\r\n\r\n[b]\r\nz=3\r\nunknown line\r\n"},
      {"replaces only the first duplicate", "[a]\nk=1\nk=2\n", "a", "k", "3", "[a]\r\nk=3\r\nk=2\r\n"},
      {"new key after the last key, above comments and blanks", "[a]\nx=1\nodd line\n; note\n\n[b]\ny=2\n", "a", "n",
       "5", "[a]\r\nx=1\r\nn=5\r\nodd line\r\n; note\r\n\r\n[b]\r\ny=2\r\n"},
      {"new key right under a header without keys", "[MySection]\n\n[b]\n", "mysection", "k", "v",
       "[MySection]\r\nk=v\r\n\r\n[b]\r\n"},
      {"new key in the first duplicate section", "[a]\n[A]\nz=1\n", "a", "k", "v", "[a]\r\nk=v\r\n[A]\r\nz=1\r\n"},
      {"new section after one blank line", "[a]\nx=1", "New", "k", "v", "[a]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n"},
      {"no second blank line before a new section", "[a]\nx=1\n\n", "b", "k", "v", "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
      {"new section in an empty file", "", "b", "k", "v", "[b]\r\nk=v\r\n"},
      {"names are trimmed", "", " b ", " k ", " v", "[b]\r\nk= v\r\n"},
      {"null value deletes every duplicate of the key", "[a]\nx=1\nk=2\nK=3\ny=4\n[b]\nk=5\n", "a", "k", nullptr,
       "[a]\r\nx=1\r\ny=4\r\n[b]\r\nk=5\r\n"},
      {"null key deletes every duplicate of the section", "[a]\nx=1\n\n[b]\ny=2\n; c\n\n[c]\nz=3\n[B]\nw=1\n", "b",
       nullptr, nullptr, "[a]\r\nx=1\r\n\r\n[c]\r\nz=3\r\n"},
      {"deleting what is missing leaves the bytes", "[a]\nx=1\n", "a", "k", nullptr, "[a]\nx=1\n"},
      {"the same value leaves the bytes", "[a]\nx=1\n", "a", "x", "1", "[a]\nx=1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.before);
    EXPECT_TRUE(Set(c.section, c.key, c.value));
    EXPECT_EQ(Contents(), c.after);
  }
}

TEST_F(ProfileTest, DeletingFromMissingFileDoesNotCreateIt) {
  EXPECT_TRUE(Set("a", "k", nullptr));
  EXPECT_TRUE(Set("a", nullptr, nullptr));
  EXPECT_FALSE(fs::exists(PathOf("t.ini")));
}

TEST_F(ProfileTest, RefusesWhatWouldNotReadBack) {
  const std::string before = "[a]\nk=1\n";
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  for (const Case& c : {Case{nullptr, "k", "v"}, Case{"a", "", "v"}, Case{"a", " ", "v"}, Case{"a", "k=x", "v"},
                        Case{"a", ";k", "v"}, Case{"a", "[k", "v"}, Case{"a]", "k", "v"}, Case{"a\n", "k", "v"},
                        Case{"a", "k\r", "v"}, Case{"a", "k", "v\r\n[b]"}}) {
    SCOPED_TRACE(::testing::PrintToString(c.key == nullptr ? "" : c.key));
    Put(before);
    EXPECT_FALSE(Set(c.section, c.key, c.value));
    EXPECT_EQ(Contents(), before);
  }
  EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", nullptr));
  EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", ""));
}

TEST_F(ProfileTest, KeepsPermissionBitsAndWritesThroughLinks) {
  Put("[a]\nk=1\n", "target.ini");
  ASSERT_EQ(::chmod(PathOf("target.ini").c_str(), 0664), 0);
  fs::create_symlink(PathOf("target.ini"), PathOf("t.ini"));
  // A strict umask must not narrow the bits of a file that already had its own.
  const mode_t oldMask = ::umask(077);
  const BOOL written = Set("a", "k", "2");
  ::umask(oldMask);
  ASSERT_TRUE(written);
  EXPECT_TRUE(fs::is_symlink(PathOf("t.ini")));
  EXPECT_EQ(Contents("target.ini"), "[a]\r\nk=2\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(PathOf("target.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
}

// A full disk is stood in for by a file-size limit, which stops root as well.
TEST_F(ProfileTest, FailedWriteKeepsTheOldFile) {
  const std::string before = "[a]\nk=1\n";
  Put(before);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 32;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const BOOL written = Set("a", "k", std::string(100, 'x').c_str());
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// A file without write bits counts as read-only even for root, so this runs everywhere.
TEST_F(ProfileTest, ReadOnlyFileIsLeftAlone) {
  const std::string before = "[a]\nk=1\n";
  Put(before);
  ASSERT_EQ(::chmod(PathOf("t.ini").c_str(), 0444), 0);
  EXPECT_FALSE(Set("a", "k", "2"));
  EXPECT_FALSE(Set("a", nullptr, nullptr));
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(Get("a", "k"), "1");
}

TEST_F(ProfileTest, ReadOnlyFolderIsLeftAlone) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes into folders without write bits; "
                    "UnwritablePlacesGiveFalse covers root";
  }
  const std::string before = "[a]\nk=1\n";
  Put(before);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  EXPECT_FALSE(Set("a", "k", "2"));
  EXPECT_FALSE(Set("a", "new", "2", "new.ini"));
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// These places refuse new files to root as well.
TEST_F(ProfileTest, UnwritablePlacesGiveFalse) {
  for (const std::string& path : {dir_ + "/no/such/folder/x.ini", std::string("/proc/plume-no-such-dir/x.ini"),
                                  std::string("/proc/self/plume-test.ini"), std::string("/sys/plume-test.ini")}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", path.c_str()));
    EXPECT_FALSE(fs::exists(path));
  }
  EXPECT_FALSE(fs::exists(dir_ + "/no"));
}

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(ProfileTest, BareNameLivesInTheSystemFolder) {
  // The system folder does not exist yet: the first write must make it.
  const ScopedEnv env("PLUME_WINDOWS_DIR", dir_ + "/system");
  ASSERT_TRUE(WritePrivateProfileStringA("a", "k", "v", "plume.ini"));
  EXPECT_EQ(Contents("system/plume.ini"), "[a]\r\nk=v\r\n");
  char buffer[16];
  EXPECT_EQ(GetPrivateProfileStringA("a", "k", "", buffer, sizeof buffer, "plume.ini"), 1u);
  EXPECT_STREQ(buffer, "v");
}

}  // namespace
