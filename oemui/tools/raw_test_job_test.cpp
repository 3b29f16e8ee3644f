#include "oemui/tools/raw_test_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_spooler.h"

namespace kvt {
namespace {

TEST(RawTestJob, CallSequenceAndCodeForEachFailure) {
  const std::vector<std::string> kAll = {"StartDoc", "StartPage", "Write", "EndPage", "EndDoc"};
  struct Case {
    const char* fail;
    std::uint32_t write_limit;
    std::uint32_t build_code;
    std::vector<std::string> calls;
    std::uint32_t code;
    RawJobStep step;
  };
  const Case cases[] = {
      {"", UINT32_MAX, 0, kAll, 0, RawJobStep::kNone},
      {"StartDoc", UINT32_MAX, 0, {"StartDoc"}, 107, RawJobStep::kStartDocument},
      // Nothing is written on a page that never started; the job is ended.
      {"StartPage",
       UINT32_MAX,
       0,
       {"StartDoc", "StartPage", "EndDoc"},
       107,
       RawJobStep::kStartPage},
      {"Write", UINT32_MAX, 0, kAll, 107, RawJobStep::kWrite},
      {"", 2, 0, kAll, 107, RawJobStep::kWrite},  // a short write did not print
      {"", UINT32_MAX, 20, {"StartDoc", "StartPage", "EndPage", "EndDoc"}, 20, RawJobStep::kBuild},
      // Ending the document hands the job to the port: its failure counts.
      {"EndPage", UINT32_MAX, 0, kAll, 107, RawJobStep::kEndPage},
      {"EndDoc", UINT32_MAX, 0, kAll, 107, RawJobStep::kEndDocument},
  };
  for (const Case& c : cases) {
    FakeSpooler spooler;
    ScopedService<Spooler> use(spooler);
    spooler.fail = c.fail;
    spooler.fail_error = 1804;
    spooler.write_limit = c.write_limit;
    SetThreadLastError(0);
    const RawJobOutcome outcome = WriteRawTestJob(reinterpret_cast<PrinterHandle>(1), u"KVT Test",
                                                  107, [&](std::vector<std::uint8_t>* data) {
                                                    *data = {0x1B, 0x40, 0x0A};
                                                    return c.build_code;
                                                  });
    SCOPED_TRACE(std::string(c.fail) + " limit " + std::to_string(c.write_limit));
    EXPECT_EQ(spooler.calls, c.calls);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.failed_step, c.step);
    const bool spooler_failed =
        c.step != RawJobStep::kNone && c.step != RawJobStep::kBuild && std::string(c.fail) != "";
    EXPECT_EQ(outcome.error, spooler_failed ? 1804u : 0u);
    if (c.code == 0) {
      ASSERT_EQ(spooler.documents.size(), 1u);
      EXPECT_EQ(spooler.documents[0].name + spooler.documents[0].datatype, u"KVT TestRAW");
      EXPECT_EQ(spooler.documents[0].data, (std::vector<std::uint8_t>{0x1B, 0x40, 0x0A}));
    }
  }
}

}  // namespace
}  // namespace kvt
