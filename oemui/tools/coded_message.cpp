#include "oemui/tools/coded_message.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "oemui/tools/package_library.h"
#include "platform/ansi_text.h"
#include "platform/message_box.h"
#include "platform/package_library.h"
#include "platform/string_table.h"

namespace kvt {
namespace {

// Code -> string id of the message library, in code order. Several codes
// share a text.
constexpr MessageTableEntry kMessageTable[] = {
    {11, 506},   {12, 538},   {20, 531},   {21, 530},   {30, 510},   {31, 514},   {40, 524},
    {41, 515},   {42, 503},   {102, 532},  {108, 535},  {110, 504},  {111, 542},  {112, 505},
    {114, 507},  {115, 508},  {116, 537},  {117, 543},  {121, 529},  {122, 528},  {123, 541},
    {124, 539},  {129, 509},  {131, 511},  {132, 512},  {133, 513},  {134, 158},  {141, 523},
    {150, 521},  {151, 520},  {152, 527},  {182, 516},  {185, 517},  {186, 518},  {187, 519},
    {189, 525},  {190, 526},  {202, 533},  {203, 534},  {213, 522},  {220, 532},  {240, 536},
    {241, 529},  {243, 501},  {244, 501},  {245, 502},  {246, 501},  {247, 501},  {248, 523},
    {1001, 560}, {1002, 565}, {1003, 566}, {1004, 564}, {1005, 563}, {1006, 562}, {1007, 567},
    {1008, 568}, {1009, 569}, {1010, 573}, {1011, 574}, {1012, 570}, {1013, 571}, {1014, 572},
    {1015, 577}, {1016, 578}, {1020, 153}, {1021, 155}, {1022, 156}, {1023, 561}, {1024, 576},
    {1140, 252}, {1141, 590}, {1142, 591}, {1143, 592}, {1144, 593}, {1145, 594}, {1146, 595},
    {1147, 597},
};

// A text shorter than this gets the widening text, so that short messages
// still get a box of a readable width.
constexpr std::size_t kWidenBelowChars = 947;
constexpr std::size_t kWideningSpaces = 75;
// The owner's parent caption is read into a MAX_PATH buffer.
constexpr std::size_t kTitleChars = 260;
constexpr std::uint32_t kJapaneseCodePage = 932;

std::u16string MissingFilesText() {
  return Service<AnsiText>().CodePage() == kJapaneseCodePage ? kMissingFilesTextJapanese
                                                             : kMissingFilesText;
}

// The text for |string_id| from the message library, else its general
// text, else the plug-in's own text saying that files are missing.
std::u16string MessageText(std::uint32_t string_id) {
  PackageLibraryLoader& loader = Service<PackageLibraryLoader>();
  const ModuleHandle library = LoadPackageLibrary(kMessageLibraryName);
  if (library == nullptr) return MissingFilesText();
  StringTable& strings = Service<StringTable>();
  std::u16string text;
  const bool found = strings.Load(library, string_id, kMessageTextChars, &text) ||
                     strings.Load(library, kGeneralMessageId, kMessageTextChars, &text);
  loader.Free(library);
  return found ? text : MissingFilesText();
}

}  // namespace

const MessageTableEntry* MessageTable(std::size_t* count) {
  *count = std::size(kMessageTable);
  return kMessageTable;
}

std::uint32_t MessageStringId(std::uint32_t code) {
  const auto* end = std::end(kMessageTable);
  const auto* entry =
      std::lower_bound(std::begin(kMessageTable), end, code,
                       [](const MessageTableEntry& e, std::uint32_t c) { return e.code < c; });
  return entry != end && entry->code == code ? entry->string_id : kGeneralMessageId;
}

int ShowCodedMessage(int /*source_line*/, HWND owner, std::uint32_t code, UINT style) {
  if (code == kSilentMessageCode) return 0;
  MessageBoxUi& ui = Service<MessageBoxUi>();
  ui.EnableWindow(owner, false);

  std::u16string text = MessageText(MessageStringId(code));
  if (text.size() < kWidenBelowChars) {
    text += u"\r\n";
    text.append(kWideningSpaces, u' ');
  }
  std::u16string title = ui.WindowText(ui.Parent(owner), kTitleChars);
  if (title.empty()) title = kDefaultMessageTitle;

  const int answer = ui.Show(owner, text, title, style | kMbTopmost);
  ui.EnableWindow(owner, true);
  return answer;
}

}  // namespace kvt
