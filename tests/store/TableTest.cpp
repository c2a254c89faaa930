#include <gtest/gtest.h>

#include "store/Table.h"

namespace corvane {
namespace {

FieldDef field(std::string name, FieldType type, int size = 0) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.size = size;
    return f;
}

Table makeTable(FieldType keyType = FieldType::Integer) {
    return Table("T", {field("Key", keyType), field("Name", FieldType::Text, 8),
                       field("When", FieldType::DateTime), field("Num", FieldType::Integer)});
}

void add(Table& t, int key, std::string_view name, int num = 0) {
    t.append();
    t.setInteger(0, key);
    t.setText(1, name);
    t.setInteger(3, num);
    t.post();
}

std::vector<int> keysInView(const Table& t) {
    std::vector<int> keys;
    for (int i = 0; i < t.recordCount(); ++i) keys.push_back(t.valueAt(i, 0).integer);
    return keys;
}

// Accepts "Num=<n>" and "Name=<text>"; anything else fails at position 0.
class FakeCompiler : public FilterCompiler {
public:
    struct Filter : CompiledFilter {
        int field;
        std::string text;
        bool ci;
        bool matches(const RecordReader& r) const override {
            if (r.isNull(field))
                return false;
            if (field == 3)
                return std::to_string(r.integer(field)) == text;
            std::string a(r.text(field));
            std::string b = text;
            if (ci) {
                for (auto& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                for (auto& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            return a == b;
        }
    };
    FilterCompileResult compile(std::string_view text, std::span<const FieldDef> fields,
                                bool ci) const override {
        FilterCompileResult r;
        if (fields.size() < 4) {
            r.error = "no such field";
            r.errorPosition = 0;
            return r;
        }
        auto f = std::make_unique<Filter>();
        f->ci = ci;
        if (text.starts_with("Num=")) {
            f->field = 3;
            f->text = text.substr(4);
        } else if (text.starts_with("Name=")) {
            f->field = 1;
            f->text = text.substr(5);
        } else {
            r.error = "bad";
            r.errorPosition = 0;
            return r;
        }
        r.filter = std::move(f);
        return r;
    }
};

TEST(Table, KeepsKeyOrderWhenSmallerKeysArrive) {
    Table t = makeTable();
    t.open();
    for (int k : {5, 9, 1, 7, 9, -1}) add(t, k, "x");
    EXPECT_EQ(keysInView(t), (std::vector<int>{-1, 1, 5, 7, 9, 9}));
    EXPECT_EQ(t.integer(0), -1);  // the last posted record is current
}

TEST(Table, StoresTextCutToSizeWithoutTrailingBlanks) {
    struct Row {
        const char* name;
        std::string in;
        std::string stored;
    };
    const Row rows[] = {
        {"fits", "abc", "abc"},
        {"cut", "abcdefghijk", "abcdefgh"},
        {"trailing blanks", "ab   ", "ab"},
        {"blank at the cut", "abcdefg  xyz", "abcdefg"},
        {"leading blanks kept", "  a", "  a"},
        {"embedded zero", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    Table t = makeTable();
    t.open();
    for (const auto& r : rows) {
        add(t, 1, r.in);
        EXPECT_EQ(t.text(1), r.stored) << r.name;
    }
}

TEST(Table, NullsAndDateTimesToTheMillisecond) {
    Table t = makeTable();
    t.open();
    t.append();
    t.setInteger(0, 1);
    const DateTime when = *encodeDateTime({2024, 1, 8, 14, 30, 5, 123});
    t.setDateTime(2, when);
    t.post();
    EXPECT_TRUE(t.isNull(1));
    EXPECT_TRUE(t.value(3).isNull());
    EXPECT_EQ(decodeDateTime(t.dateTime(2)), (DateTimeFields{2024, 1, 8, 14, 30, 5, 123}));
}

TEST(Table, CursorFlagsAndRecordNumbers) {
    Table t = makeTable();
    t.open();
    EXPECT_TRUE(t.bof());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 0);
    for (int k : {1, 2, 3}) add(t, k, "x");
    t.first();
    EXPECT_TRUE(t.bof());
    EXPECT_FALSE(t.eof());
    std::vector<int> walked;
    while (!t.eof()) {
        walked.push_back(t.integer(0));
        t.next();
    }
    EXPECT_EQ(walked, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(t.recNo(), 3);
    t.prior();
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_FALSE(t.eof());
}

TEST(Table, DeleteMovesToNextOrPriorAndEmptiesWithBothFlags) {
    Table t = makeTable();
    t.open();
    for (int k : {1, 2, 3}) add(t, k, "x");
    int scrolls = 0;
    t.afterScroll = [&](Table&) { ++scrolls; };
    t.moveTo(1);
    t.deleteRecord();
    EXPECT_EQ(t.integer(0), 3);
    t.deleteRecord();
    EXPECT_EQ(t.integer(0), 1);
    t.deleteRecord();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.bof() && t.eof());
    EXPECT_EQ(scrolls, 4);
    EXPECT_THROW(t.deleteRecord(), StoreError);
}

TEST(Table, EditOnEmptyTableAppends) {
    Table t = makeTable();
    t.open();
    int newRecords = 0;
    t.onNewRecord = [&](Table&) { ++newRecords; };
    t.edit();
    EXPECT_EQ(t.state(), Table::State::Insert);
    EXPECT_EQ(newRecords, 1);
}

TEST(Table, AutoIncrementComesFromTheCounterAtPost) {
    Table t = makeTable(FieldType::AutoInc);
    t.open();
    add(t, 99, "a");  // a value set before the post is replaced
    add(t, 99, "b");
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 2}));
    t.deleteRecord();
    add(t, 0, "c");
    EXPECT_EQ(t.integer(0), 3);  // deletions never lower the counter
    EXPECT_EQ(t.autoIncValue(), 4);
}

TEST(Table, UnsavedChangesAreTrackedAndDiscarded) {
    Table t = makeTable();
    t.open();
    add(t, 1, "one");
    add(t, 2, "two");
    t.mergeChangeLog();
    EXPECT_FALSE(t.hasUnsavedChanges());

    t.first();
    t.edit();
    EXPECT_FALSE(t.hasUnsavedChanges());  // an edit without changes is not a change
    t.setText(1, "uno");
    EXPECT_TRUE(t.hasUnsavedChanges());
    t.post();
    t.last();
    t.deleteRecord();
    add(t, 0, "zero");
    t.first();
    t.edit();
    t.setInteger(0, 7);  // moves the record in key order
    t.post();
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 7}));

    t.discardChanges();
    EXPECT_FALSE(t.hasUnsavedChanges());
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 2}));
    EXPECT_EQ(t.valueAt(0, 1).text, "one");
}

TEST(Table, LocateIsExactAndCaseSensitive) {
    Table t = makeTable();
    t.open();
    add(t, 1, "Alpha");
    add(t, 2, "beta");
    add(t, 3, "beta");
    EXPECT_TRUE(t.locate("Name", Value::ofText("beta")));
    EXPECT_EQ(t.integer(0), 2);
    EXPECT_FALSE(t.locate("Name", Value::ofText("alpha")));
    EXPECT_FALSE(t.locate("Name", Value::ofText("bet")));
    EXPECT_TRUE(t.locate("Num", Value::ofInteger(0)));
    EXPECT_EQ(t.integer(0), 1);
    EXPECT_THROW(t.locate("Nope", Value::ofInteger(0)), StoreError);
}

// Locate keeps finding the first matching record in key order within the view, whatever was
// posted, changed, deleted or undone since the field was first located.
TEST(Table, LocateFollowsEveryChange) {
    FakeCompiler compiler;
    Table t = makeTable();
    t.setFilterCompiler(&compiler);
    t.open();
    add(t, 1, "a", 1);
    add(t, 2, "b", 2);
    add(t, 3, "a", 3);
    t.mergeChangeLog();
    const auto keyOfLocated = [&t](std::string_view field, const Value& v) {
        return t.locate(field, v) ? t.integer(0) : -100;
    };
    const auto rename = [&t](int key, std::string_view name) {
        ASSERT_TRUE(t.locate("Key", Value::ofInteger(key)));
        t.edit();
        t.setText(1, name);
        t.post();
    };
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("a")), 1);
    add(t, 0, "a", 5);
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("a")), 0) << "a smaller key posted later";
    add(t, 7, "new", 7);
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("new")), 7) << "a value posted after the first locate";
    rename(0, "z");
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("a")), 1) << "a record renamed away";
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("z")), 0) << "a record renamed to the value";
    ASSERT_TRUE(t.locate("Key", Value::ofInteger(1)));
    t.deleteRecord();
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("a")), 3) << "the first one deleted";
    EXPECT_EQ(keyOfLocated("Num", Value::ofInteger(3)), 3) << "an integer field";
    ASSERT_TRUE(t.setFilterText("Num=2").ok);
    ASSERT_TRUE(t.setFiltered(true).ok);
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("a")), -100) << "only records in view count";
    EXPECT_EQ(keyOfLocated("Key", Value::ofInteger(3)), -100) << "the key outside the view";
    EXPECT_EQ(keyOfLocated("Key", Value::ofInteger(2)), 2);
    ASSERT_TRUE(t.setFiltered(false).ok);
    t.discardChanges();
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("a")), 1) << "after undoing every change";
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("new")), -100);
    EXPECT_EQ(keyOfLocated("Name", Value::ofText("z")), -100);
    add(t, 3, "dup", 3);
    EXPECT_EQ(keyOfLocated("Key", Value::ofInteger(3)), 3);
    EXPECT_EQ(t.text(1), "a") << "of equal keys the one added first";
}

TEST(Table, DeleteFirstTakesTheLowestKeysWhateverTheView) {
    FakeCompiler compiler;
    const struct {
        const char* name;
        const char* filter;  // empty: none
        int currentKey;
        std::size_t count;
        std::vector<int> view;
        int currentAfter;  // -1: none
    } cases[] = {
        {"current record kept", "", 5, 2, {3, 4, 5}, 5},
        {"current record among the deleted", "", 2, 3, {4, 5}, 4},
        {"more than there are", "", 5, 9, {}, -1},
        {"records outside the view go too", "Num=1", 5, 2, {3, 5}, 5},
        {"nothing", "", 4, 0, {1, 2, 3, 4, 5}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t = makeTable();
        t.setFilterCompiler(&compiler);
        t.open();
        for (int k = 1; k <= 5; ++k) add(t, k, "x", k % 2);
        t.mergeChangeLog();
        if (*c.filter) {
            ASSERT_TRUE(t.setFilterText(c.filter).ok);
            ASSERT_TRUE(t.setFiltered(true).ok);
        }
        ASSERT_TRUE(t.locate("Key", Value::ofInteger(c.currentKey)));
        int scrolls = 0;
        t.afterScroll = [&scrolls](Table&) { ++scrolls; };
        t.deleteFirst(c.count);
        EXPECT_EQ(keysInView(t), c.view);
        EXPECT_EQ(t.recNo() > 0 ? t.integer(0) : -1, c.currentAfter);
        EXPECT_EQ(t.hasUnsavedChanges(), c.count > 0);
        EXPECT_EQ(scrolls, c.count > 0 ? 1 : 0);
        t.afterScroll = nullptr;
        ASSERT_TRUE(t.setFiltered(false).ok);
        t.discardChanges();
        EXPECT_EQ(keysInView(t), (std::vector<int>{1, 2, 3, 4, 5})) << "undone like any deletion";
    }
}

TEST(Table, FilterTextCallbackAndCaseOption) {
    FakeCompiler compiler;
    Table t = makeTable();
    t.open();
    add(t, 1, "Red", 1);
    add(t, 2, "red", 2);
    add(t, 3, "blue", 1);

    EXPECT_TRUE(t.setFilterText("Name=red").ok);  // not compiled while the filter is off
    auto status = t.setFiltered(true);
    EXPECT_FALSE(status.ok);  // no compiler: only the empty text is accepted
    EXPECT_FALSE(t.filtered());

    t.setFilterCompiler(&compiler);
    EXPECT_TRUE(t.setFiltered(true).ok);
    EXPECT_EQ(keysInView(t), (std::vector<int>{2}));
    t.setCaseInsensitive(true);
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 2}));

    t.setFilterCallback([](const RecordReader& r) { return r.integer(3) == 1; });
    EXPECT_EQ(keysInView(t), (std::vector<int>{1}));

    status = t.setFilterText("Bogus");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.error, "bad");
    EXPECT_EQ(status.errorPosition, 0);
    EXPECT_FALSE(t.filtered());
    EXPECT_EQ(t.recordCount(), 3);

    t.setFilterText("");
    EXPECT_TRUE(t.setFiltered(true).ok);  // callback only
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 3}));

    add(t, 4, "green", 2);  // posted records outside the filter stay out of view
    EXPECT_EQ(keysInView(t), (std::vector<int>{1, 3}));
    add(t, 0, "green", 1);
    EXPECT_EQ(keysInView(t), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(t.integer(0), 0);
}

TEST(Table, NewStructureRecompilesTheFilter) {
    FakeCompiler compiler;
    Table t("T", {field("Key", FieldType::Integer), field("Pad", FieldType::Integer),
                  field("Pad2", FieldType::Integer), field("Num", FieldType::Integer)});
    t.setFilterCompiler(&compiler);
    t.setFilterText("Num=1");
    ASSERT_TRUE(t.setFiltered(true).ok);
    // The loaded table has fewer fields: the filter made for four must not be asked about it.
    TableContents contents;
    contents.fields = {field("Key", FieldType::Integer)};
    t.load(std::move(contents));
    EXPECT_FALSE(t.filtered());
    EXPECT_EQ(t.recordCount(), 0);

    t.setFields({field("Key", FieldType::Integer), field("Name", FieldType::Text, 8),
                 field("When", FieldType::DateTime), field("Num", FieldType::Integer)});
    ASSERT_TRUE(t.setFiltered(true).ok);
    t.open();
    add(t, 1, "a", 1);
    add(t, 2, "b", 2);
    EXPECT_EQ(keysInView(t), (std::vector<int>{1}));
}

TEST(Table, DeleteAllInViewKeepsRecordsOutsideTheFilter) {
    FakeCompiler compiler;
    Table t = makeTable();
    t.setFilterCompiler(&compiler);
    t.open();
    for (int k = 1; k <= 10; ++k) add(t, k, "x", k % 3);
    t.mergeChangeLog();
    t.setFilterText("Num=1");
    ASSERT_TRUE(t.setFiltered(true).ok);
    t.append();  // pending, in view once posted
    t.setInteger(0, 11);
    t.setInteger(3, 1);
    t.deleteAllInView();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.bof() && t.eof());
    t.setFiltered(false);
    EXPECT_EQ(keysInView(t), (std::vector<int>{2, 3, 5, 6, 8, 9}));
    EXPECT_TRUE(t.hasUnsavedChanges());
    t.discardChanges();
    EXPECT_EQ(t.recordCount(), 10);
}

TEST(Table, LookupFieldsReadAndChoose) {
    Table names("Names", {field("Key", FieldType::Integer), field("Name", FieldType::Text, 20)});
    names.open();
    for (auto [k, n] : {std::pair{-1, "Any"}, {0, "Kernel"}, {1, "User"}}) {
        names.append();
        names.setInteger(0, k);
        names.setText(1, n);
        names.post();
    }
    Table t("Filter", {field("Key", FieldType::Integer), field("NameKey", FieldType::Integer)});
    FieldDef lookup = field("Facillity", FieldType::Text, 48);
    lookup.keyField = "NameKey";
    lookup.lookupTable = "Names";
    lookup.lookupKeyField = "Key";
    lookup.resultField = "Name";
    t.addLookupField(lookup);
    t.setLookupResolver([&](std::string_view n) { return n == "Names" ? &names : nullptr; });
    t.open();
    t.append();
    t.setInteger(0, 0);
    t.post();
    EXPECT_TRUE(t.value("Facillity").isNull());  // null key
    t.edit();
    t.setInteger(1, 1);
    EXPECT_EQ(t.value("Facillity").text, "User");
    EXPECT_TRUE(t.chooseLookup(2, "Any"));
    t.post();
    EXPECT_EQ(t.integer(1), -1);
    EXPECT_EQ(t.value(2).text, "Any");
    t.edit();
    EXPECT_FALSE(t.chooseLookup(2, "Nobody"));
    t.setInteger(1, 42);
    t.post();
    EXPECT_TRUE(t.value(2).isNull());  // no such row
    EXPECT_EQ(t.lookupChoices(2), (std::vector<std::string>{"Any", "Kernel", "User"}));
}

TEST(Table, EventsFire) {
    Table t = makeTable();
    std::vector<std::string> seen;
    t.afterOpen = [&](Table&) { seen.push_back("open"); };
    t.onNewRecord = [&](Table& self) {
        seen.push_back("new");
        self.setInteger(0, 5);
    };
    t.afterPost = [&](Table&) { seen.push_back("post"); };
    t.open();
    t.append();
    EXPECT_EQ(t.integer(0), 5);
    t.post();
    EXPECT_EQ(seen, (std::vector<std::string>{"open", "new", "post"}));
}

}  // namespace
}  // namespace corvane
