// The model page's rules: manufacturers and models from INF lines, the decoration of
// models sections, reselection by prefix, the name pre-fill, the checks of Next and
// the installed-driver test.
#include "ListModelRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TWKResource.h"

namespace {

using ::testing::ElementsAre;

TEST(ListModel, DecorationIsAnyValueNamingNTamd64InAnyCase) {
  const struct {
    std::vector<std::u16string> values;
    bool decorated;
  } cases[] = {
      {{u"TAVIK", u"NTamd64"}, true},
      {{u"TAVIK", u"ntAMD64"}, true},
      {{u"NTamd64"}, true},
      {{u"TAVIK"}, false},
      {{}, false},
      {{u"TAVIK", u"NTx86"}, false},
      {{u"TAVIK", u"NTamd64.6.0"}, false},  // a versioned decoration is another word
      {{u"TAVIK", u" NTamd64"}, false},
      {{u"TAVIK", u""}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(NamesNTamd64(c.values), c.decorated);
}

TEST(ListModel, ManufacturersKeepDuplicatesAndSkipEmptyKeys) {
  const std::vector<InfLine> lines = {
      {u"Tavik", {u"TAVIK", u"NTamd64"}},
      {u"", {u"NOBODY"}},
      {u"Other", {u"OTHER_MODELS"}},
      {u"Tavik", {u"TAVIK"}},  // same key again: listed again
  };
  const std::vector<Manufacturer> m = ReadManufacturers(lines);
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].name, u"Tavik");
  EXPECT_TRUE(m[0].decorated);
  EXPECT_EQ(m[1].name, u"Other");
  EXPECT_FALSE(m[1].decorated);
  EXPECT_EQ(m[2].name, u"Tavik");
  EXPECT_FALSE(m[2].decorated);
  EXPECT_TRUE(ReadManufacturers({}).empty());
}

TEST(ListModel, ModelsMergeExactDuplicatesOnly) {
  EXPECT_THAT(ReadModels({u"Tavik PS", u"Tavik PS", u"tavik ps", u"", u"Tavik PS2", u"Tavik PS "}),
              ElementsAre(u"Tavik PS", u"tavik ps", u"Tavik PS2", u"Tavik PS "));
  EXPECT_TRUE(ReadModels({}).empty());
}

TEST(ListModel, ModelsSectionDecoratedOnlyOn64BitWindows) {
  const struct {
    Manufacturer m;
    bool windows64;
    const char16_t* section;
  } cases[] = {
      {{u"Tavik", true}, true, u"Tavik.NTamd64"},
      {{u"Tavik", true}, false, u"Tavik"},
      {{u"Tavik", false}, true, u"Tavik"},  // the key's section; no decorated one
      {{u"Tavik", false}, false, u"Tavik"},
  };
  for (const auto& c : cases) EXPECT_EQ(ModelsSectionOf(c.m, c.windows64), c.section);
}

TEST(ListModel, WithoutDecoration) {
  EXPECT_EQ(WithoutDecoration(u"Tavik.NTamd64"), u"Tavik");
  EXPECT_EQ(WithoutDecoration(u"Tavik.ntamd64"), u"Tavik");
  EXPECT_EQ(WithoutDecoration(u"Tavik"), u"Tavik");
  EXPECT_EQ(WithoutDecoration(u".NTamd64"), u"");
  EXPECT_EQ(WithoutDecoration(u"NTamd64"), u"NTamd64");
  EXPECT_EQ(WithoutDecoration(u"Tavik.NTamd64.NTamd64"), u"Tavik.NTamd64");  // only one
  EXPECT_EQ(WithoutDecoration(u""), u"");
}

TEST(ListModel, ReselectsByPrefixWithoutRegardToCase) {
  // The list's own order (sorted ascending).
  const std::vector<std::u16string> items = {u"Acme", u"Tavik", u"Tavik Extra", u"\u00C4rger"};
  const struct {
    const char16_t* prefix;
    int found;
  } cases[] = {
      {u"Tavik", 1},
      {u"TAVIK", 1},
      {u"tavik e", 2},
      {u"Tav", 1},
      {u"", 0},  // nothing stored: the first item
      {u"\u00E4rg", 3},  // Latin-1 letters compare without case too
      {u"Tavik Extra Plus", -1},
      {u"Zeta", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindItemByPrefix(items, c.prefix), c.found);
  EXPECT_EQ(FindItemByPrefix({}, u""), -1);
}

TEST(ListModel, ReselectsTheExactChoiceBeforeAPrefixMatch) {
  // Two models differing only in case, in the list's order: the one chosen comes back.
  const std::vector<std::u16string> models = {u"tavik test ps", u"Tavik Test PS", u"Tavik Test PS2"};
  EXPECT_EQ(FindItemToReselect(models, models, u"Tavik Test PS", u"Tavik Test PS"), 1);
  EXPECT_EQ(FindItemToReselect(models, models, u"tavik test ps", u"tavik test ps"), 0);
  EXPECT_EQ(FindItemToReselect(models, models, u"TAVIK TEST PS", u"TAVIK TEST PS"), 0);  // by prefix
  EXPECT_EQ(FindItemToReselect(models, models, u"Tavik Test PS2", u"Tavik Test PS2"), 2);
  EXPECT_EQ(FindItemToReselect(models, models, u"Other", u"Other"), -1);
  EXPECT_EQ(FindItemToReselect(models, models, u"", u""), 0);
  // Manufacturers are found by their models section; a decorated choice finds the
  // decorated one of two equal names, and an undecorated one the other.
  const std::vector<std::u16string> names = {u"Acme", u"Acme", u"Tavik"};
  const std::vector<std::u16string> sections = {u"Acme", u"Acme.NTamd64", u"Tavik.NTamd64"};
  EXPECT_EQ(FindItemToReselect(names, sections, u"Acme.NTamd64", WithoutDecoration(u"Acme.NTamd64")), 1);
  EXPECT_EQ(FindItemToReselect(names, sections, u"Acme", u"Acme"), 0);
  // A choice made on 32-bit Windows (undecorated) still finds its manufacturer.
  EXPECT_EQ(FindItemToReselect(names, sections, u"Tavik", u"Tavik"), 2);
  EXPECT_EQ(FindItemToReselect(names, sections, u"tavik.ntamd64", WithoutDecoration(u"tavik.ntamd64")), 2);
}

TEST(ListModel, PrinterNamePrefillOrder) {
  const int32_t Q = IDC_LISTQUEUES_CHECKED, QO = IDC_LISTQUEUES_OTHER;
  const int32_t F = IDC_NETSEARCH_FOUND, SO = IDC_NETSEARCH_OTHER;
  const std::optional<std::u16string> model = u"Tavik PS", none;
  const struct {
    int32_t radioQueues, radioSearch;
    const char16_t* printerName;
    std::optional<std::u16string> selected;
    std::optional<std::u16string> shown;
  } cases[] = {
      {Q, F, u"Stored", model, u"Server RIP"},   // the queues: the server's name
      {Q, SO, u"Stored", model, u"Server RIP"},  // the queue page's choice comes first
      {QO, F, u"Stored", model, u"Stored"},
      {QO, F, u"", model, u"Tavik PS"},
      {QO, F, u"", none, u""},
      {0, SO, u"Stored", model, u"Stored"},
      {0, SO, u"", model, u"Tavik PS"},
      {0, F, u"Stored", model, std::nullopt},  // otherwise the field keeps its text
      {0, 0, u"", none, std::nullopt},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    ModelPrefillInput in;
    in.radioQueues = cases[i].radioQueues;
    in.radioSearch = cases[i].radioSearch;
    in.serverName = u"Server RIP";
    in.printerName = cases[i].printerName;
    in.selectedModel = cases[i].selected;
    EXPECT_EQ(PrefillModelPrinterName(in), cases[i].shown) << i;
  }
}

TEST(ListModel, ModelIsProposedAsNameOnlyForASinglePort) {
  EXPECT_EQ(ModelNameSuggestion(true, std::u16string(u"Tavik PS")), std::u16string(u"Tavik PS"));
  EXPECT_EQ(ModelNameSuggestion(false, std::u16string(u"Tavik PS")), std::nullopt);
  EXPECT_EQ(ModelNameSuggestion(true, std::u16string()), std::nullopt);
  EXPECT_EQ(ModelNameSuggestion(true, std::nullopt), std::nullopt);
}

TEST(ListModel, NextChecksInOrder) {
  const struct {
    bool model;
    size_t nameLength;
    bool win9x, nt4;
    ModelRefusal refusal;
  } cases[] = {
      {false, 0, false, false, ModelRefusal::NoModel},
      {false, 10, false, false, ModelRefusal::NoModel},
      {true, 0, false, false, ModelRefusal::EmptyName},
      {true, 220, false, false, ModelRefusal::None},
      {true, 221, false, false, ModelRefusal::NameTooLong},
      {true, 31, true, false, ModelRefusal::None},
      {true, 32, true, false, ModelRefusal::NameTooLong},
      {true, 31, false, true, ModelRefusal::None},
      {true, 32, false, true, ModelRefusal::NameTooLong},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckModelNext(c.model, std::u16string(c.nameLength, u'n'), {c.win9x, c.nt4, false}), c.refusal)
        << c.model << " " << c.nameLength;
  }
}

TEST(ListModel, DriverInstalledOnlyUnderExactlyTheModelName) {
  const std::vector<std::u16string> installed = {u"Generic PS", u"Tavik Test PS"};
  EXPECT_TRUE(IsDriverInstalled(installed, u"Tavik Test PS"));
  EXPECT_FALSE(IsDriverInstalled(installed, u"TAVIK TEST PS"));
  EXPECT_FALSE(IsDriverInstalled(installed, u"Tavik Test"));
  EXPECT_FALSE(IsDriverInstalled(installed, u"Tavik Test PS "));
  EXPECT_FALSE(IsDriverInstalled({}, u"Tavik Test PS"));
  EXPECT_EQ(ModelNextPage(true), IDD_EXISTDRIVER);
  EXPECT_EQ(ModelNextPage(false), IDD_COMPLETE);
}

}  // namespace
