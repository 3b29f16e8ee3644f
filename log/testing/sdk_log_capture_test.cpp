#include "log/testing/sdk_log_capture.h"

#include <gtest/gtest.h>

#include "log/sdk_log.h"
#include "log/sdk_log_internal.h"
#include "platform/fake/fake_config_source.h"
#include "platform/last_error.h"

namespace kvt::testing {
namespace {

TEST(SdkLogCaptureTest, CapturesEveryLevelAtTheFixedTime) {
  SdkLogCapture capture;
  WriteSdkLog(kSdkError, 'E', ".\\Barcode.cpp", 123, 13, L"message");
  WriteSdkLog(kSdkWarning, 'W', ".\\Barcode.cpp", 124, 24, L"%ls %d", L"warn", 1);
  WriteSdkLog(kSdkDebug, 'D', ".\\Barcode.cpp", 125, 0x80070057, L"debug");
  // 0 takes the thread's last error, which the previous record left.
  WriteSdkLog(0x100, 'X', ".\\Barcode.cpp", 126, 0, L"other");
  EXPECT_EQ(capture.Records(), (std::vector<std::string>{
                                   "[01/31 12:34(56.789)] [E] [0013 : 0123] : message\r\n",
                                   "[01/31 12:34(56.789)] [W] [0024 : 0124] : warn 1\r\n",
                                   "[01/31 12:34(56.789)] [D] [0x80070057 : 0125] : debug\r\n",
                                   "[01/31 12:34(56.789)] [X] [0x80070057 : 0126] : other\r\n",
                               }));
  EXPECT_EQ(GetThreadLastError(), 0u);
  capture.Clear();
  EXPECT_TRUE(capture.Records().empty());
  WriteSdkLog(kSdkError, 'E', ".\\Barcode.cpp", 200, 13, L"after clear");
  EXPECT_EQ(capture.Records().size(), 1u);
}

TEST(SdkLogCaptureTest, EachCaptureForgetsThePreviousRecord) {
  {
    SdkLogCapture capture;
    WriteSdkLog(kSdkError, 'E', ".\\Barcode.cpp", 42, 13, L"first");
    EXPECT_EQ(capture.Records().size(), 1u);
  }
  SdkLogCapture capture;
  WriteSdkLog(kSdkError, 'E', ".\\Barcode.cpp", 42, 13, L"first again");
  WriteSdkLog(kSdkError, 'E', ".\\Barcode.cpp", 42, 13, L"repeat");
  EXPECT_EQ(capture.Records().size(), 1u);
}

TEST(SdkLogCaptureTest, RealServicesComeBackAfterwards) {
  {
    SdkLogCapture capture;
    WriteSdkLog(kSdkError, 'E', "a.cpp", 1, 13, L"x");
  }
  // What the capture's fakes taught the process is forgotten.
  EXPECT_EQ(log::SdkLogLevelFlags(), 0u);
  EXPECT_EQ(log::SdkLogFolder(), u"");
  // And the real configuration is consulted again, not the fake one.
  FakeConfigSource empty;
  ScopedService<ConfigSource> use_empty(empty);
  EXPECT_FALSE(IsSdkLogEnabled(kSdkError));
  log::ResetSdkLogForTesting();
}

}  // namespace
}  // namespace kvt::testing
