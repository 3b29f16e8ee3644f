#include <gtest/gtest.h>

#include <set>

#include "core/document_property_sheets.h"

namespace kvt {
namespace {

TEST(DocumentPages, ThreePagesInSheetOrderWithTheirTemplatesAndTitles) {
  const DocumentPageSet& pages = DocumentSheetPages();
  const std::uint16_t templates[] = {118, 119, 120};
  const std::uint16_t titles[] = {500, 501, 502};
  std::set<DLGPROC> procedures;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(pages[i].template_id, templates[i]);
    EXPECT_EQ(pages[i].title_id, titles[i]);
    ASSERT_NE(pages[i].procedure, nullptr);
    procedures.insert(pages[i].procedure);
  }
  EXPECT_EQ(procedures.size(), 3u);
}

}  // namespace
}  // namespace kvt
