// The PostgreSQL server of the tests. scripts/test starts a private one and hands its
// connection string over in VEXA_TEST_POSTGRES. A test that needs it is skipped only on a
// machine with no server installed at all; with a server installed and no variable it fails,
// since a test left to start a server of its own would hide a broken test run.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace vexa::test {

inline constexpr const char* kTestServerVariable = "VEXA_TEST_POSTGRES";

// A server program on the PATH or in Debian's versioned folders.
inline bool PostgresServerInstalled() {
    namespace fs = std::filesystem;
    std::error_code error;
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const fs::path folder(rest.substr(0, colon));
        if (fs::exists(folder / "postgres", error)) return true;
        rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
    }
    for (const auto& version : fs::directory_iterator("/usr/lib/postgresql", error)) {
        if (fs::exists(version.path() / "bin" / "postgres", error)) return true;
    }
    return false;
}

// A fixture over the test server: ConnectionString() names it.
template <class Base = ::testing::Test>
class PostgresTestOf : public Base {
  protected:
    void SetUp() override {
        const char* value = std::getenv(kTestServerVariable);
        if (value != nullptr && *value != '\0') {
            connectionString_ = value;
            return;
        }
        if (!PostgresServerInstalled()) {
            GTEST_SKIP() << "no PostgreSQL server is installed on this machine";
        }
        FAIL() << kTestServerVariable
               << " is not set: run the tests through scripts/test, which starts a private "
                  "PostgreSQL server for them (scripts/postgres-server)";
    }

    const std::string& ConnectionString() const { return connectionString_; }

  private:
    std::string connectionString_;
};

using PostgresTest = PostgresTestOf<>;

}  // namespace vexa::test
