#pragma once
// A main window on the fake platform, created as the program entry creates it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Unit1.h"
#include "platform/fake/fake.h"

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
  void TearDown() override {
    form.reset();
    EXPECT_EQ(fake::world().openHandles, 0) << "a snapshot or process handle was left open";
  }
  // Creates the form, which runs the start-up sequence, and forgets what that logged.
  TForm1& Started() {
    form = std::make_unique<TForm1>(app);
    form->Create();
    fake::world().log.clear();
    fake::world().shell.clear();
    return *form;
  }

 public:
  static std::string Shell(const char* owner, const char* verb, const char* target, const char* params,
                           const char* dir, int show) {
    auto field = [](const char* s) { return s ? std::string("\"") + s + "\"" : std::string("none"); };
    return std::string("shell ") + owner + " " + field(verb) + " " + field(target) + " " + field(params) +
           " " + field(dir) + " " + std::to_string(show);
  }

 protected:
  platform::Application app;
  std::unique_ptr<TForm1> form;
};

inline const char* kApacheExe = "w:/usr/local/apache2/bin/Apache.exe";
inline const char* kMysqldExe = "w:/usr/local/mysql/bin/mysqld-opt.exe";
inline const char* kMysqladminExe = "w:/usr/local/mysql/bin/mysqladmin.exe";
