// The queue page's rules: the radio shown, the Internet-printer option, the pre-fill
// of based mode and the decision of Next.
#include "ListQueuesRules.h"

#include <gtest/gtest.h>

#include <string>

#include "TWKResource.h"

namespace {

TEST(ListQueues, RadioShownAndInternetOption) {
  EXPECT_EQ(QueuesRadioToCheck(0), IDC_LISTQUEUES_CHECKED);
  EXPECT_EQ(QueuesRadioToCheck(IDC_LISTQUEUES_CHECKED), IDC_LISTQUEUES_CHECKED);
  EXPECT_EQ(QueuesRadioToCheck(IDC_LISTQUEUES_OTHER), IDC_LISTQUEUES_OTHER);

  EXPECT_TRUE(InternetOptionEnabled(false, false));
  EXPECT_FALSE(InternetOptionEnabled(true, false));
  EXPECT_FALSE(InternetOptionEnabled(false, true));  // never on Windows 9x
  EXPECT_FALSE(InternetOptionEnabled(true, true));
}

TEST(ListQueues, PrefillTakesTheFirstNonEmptyInItsOrder) {
  const struct {
    const char16_t *typed, *server, *installed, *shown;
  } cases[] = {
      {u"Typed", u"Server", u"Installed", u"Typed"},
      {u"", u"Server", u"Installed", u"Server"},
      {u"", u"", u"Installed", u"Installed"},
      {u"", u"", u"", u""},
      {u" ", u"Server", u"Installed", u" "},  // a blank typed name is not empty
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrefillQueuePrinterName(c.typed, c.server, c.installed), c.shown);
  }
}

TEST(ListQueues, HasQueueChoice) {
  EXPECT_TRUE(HasQueueChoice(IDC_LISTQUEUES_OTHER, false));
  EXPECT_TRUE(HasQueueChoice(IDC_LISTQUEUES_CHECKED, true));
  EXPECT_FALSE(HasQueueChoice(IDC_LISTQUEUES_CHECKED, false));
  EXPECT_FALSE(HasQueueChoice(0, false));
}

QueueNextInput Input(bool based, int32_t radio, bool checked, size_t nameLength, bool win9x = false,
                     bool nt4 = false) {
  QueueNextInput in;
  in.basedMode = based;
  in.radio = radio;
  in.anyQueueChecked = checked;
  in.printerName = std::u16string(nameLength, u'n');
  in.kind.win9x = win9x;
  in.kind.nt4 = nt4;
  return in;
}

TEST(ListQueues, NextDecisions) {
  const int32_t Q = IDC_LISTQUEUES_CHECKED, O = IDC_LISTQUEUES_OTHER;
  const struct {
    QueueNextInput in;
    QueueRefusal refusal;
    bool storeName, storeInternet, collect, takeDriver;
    int32_t next;
  } cases[] = {
      // Install mode: the name field plays no part.
      {Input(false, Q, true, 0), QueueRefusal::None, false, true, true, false, IDD_LISTMODEL},
      {Input(false, Q, false, 5), QueueRefusal::NoQueue, false, false, false, false, -1},
      {Input(false, O, false, 0), QueueRefusal::None, false, true, false, false, IDD_OTHERPORT},
      {Input(false, O, true, 0), QueueRefusal::None, false, true, false, false, IDD_OTHERPORT},
      // Based mode: the queue check first, then the name.
      {Input(true, Q, false, 0), QueueRefusal::NoQueue, false, false, false, false, -1},
      {Input(true, Q, true, 0), QueueRefusal::EmptyName, true, false, false, false, -1},
      {Input(true, Q, true, 220), QueueRefusal::None, true, true, true, true, IDD_COMPLETE},
      {Input(true, Q, true, 221), QueueRefusal::NameTooLong, true, false, false, false, -1},
      {Input(true, Q, true, 31, true), QueueRefusal::None, true, true, true, true, IDD_COMPLETE},
      {Input(true, Q, true, 32, true), QueueRefusal::NameTooLong, true, false, false, false, -1},
      {Input(true, Q, true, 32, false, true), QueueRefusal::NameTooLong, true, false, false, false, -1},
      // Other connection in based mode: past the name checks, the queues stay.
      {Input(true, O, false, 0), QueueRefusal::EmptyName, true, false, false, false, -1},
      {Input(true, O, false, 12), QueueRefusal::None, true, true, false, false, IDD_OTHERPORT},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const QueueNextDecision d = DecideQueueNext(cases[i].in);
    EXPECT_EQ(d.refusal, cases[i].refusal) << i;
    EXPECT_EQ(d.storeName, cases[i].storeName) << i;
    EXPECT_EQ(d.storeInternetFlag, cases[i].storeInternet) << i;
    EXPECT_EQ(d.collectQueues, cases[i].collect) << i;
    EXPECT_EQ(d.takeInstalledDriver, cases[i].takeDriver) << i;
    EXPECT_EQ(d.nextPage, cases[i].next) << i;
  }
}

}  // namespace
