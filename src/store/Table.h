#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/Field.h"
#include "store/RecordFilter.h"
#include "store/RowLayout.h"
#include "store/Value.h"

namespace corvane {

// A misuse of a table (no current record, a field that does not exist, a write outside an
// edit); carries the text the operator may see.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The structure and records of a table as read from a file, ready to be taken over by a Table.
struct TableContents {
    std::vector<FieldDef> fields;
    std::int32_t autoIncValue = 1;
    std::vector<RowPtr> rows;  // encoded with RowLayout(fields), any order
};

// An in-memory table: typed fields, records kept in `Key` order, a filtered view with a cursor,
// browse/edit/insert states and a change log that can be undone until the table is written.
class Table {
public:
    enum class State : unsigned char { Inactive, Browse, Edit, Insert };

    struct FilterStatus {
        bool ok = true;
        std::string error;
        int errorPosition = -1;
    };

    using Event = std::function<void(Table&)>;
    using RecordCallback = std::function<bool(const RecordReader&)>;
    using LookupResolver = std::function<const Table*(std::string_view tableName)>;

    explicit Table(std::string name, std::vector<FieldDef> fields = {});
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& name() const { return m_name; }

    // Structure. Changing it closes the table and drops its records.
    const std::vector<FieldDef>& fields() const { return m_fields; }
    void setFields(std::vector<FieldDef> fields);
    void addLookupField(FieldDef field);  // allowed while open; lookups hold no data
    // Takes over how fields are shown (shown, widths, tags, read-only) without touching records;
    // names, types and sizes must stay as they are.
    void setDisplay(const std::vector<FieldDef>& fields);
    int fieldIndex(std::string_view name) const;    // -1 when there is none
    int requireField(std::string_view name) const;  // throws StoreError when there is none
    const RowLayout& layout() const { return m_layout; }

    // Opening makes an empty or loaded table readable and runs after-open.
    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // Replaces structure, counter and records with a file's, then opens.
    void load(TableContents contents);
    // The counter the next auto-increment key is taken from; kept in the data file.
    std::int32_t autoIncValue() const { return m_autoInc; }
    void setAutoIncValue(std::int32_t value) { m_autoInc = value; }

    // The view and its cursor.
    int recordCount() const { return static_cast<int>(m_view.size()); }
    int totalRecordCount() const { return static_cast<int>(m_rows.size()); }
    int recNo() const;  // 1-based within the view; 0 when there is no current record
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int viewPosition);  // 0-based
    int currentPosition() const { return m_cursor; }

    // Values of the current record (the pending one while editing or inserting).
    bool isNull(int field) const;
    std::int32_t integer(int field) const;
    DateTime dateTime(int field) const;
    std::string_view text(int field) const;
    Value value(int field) const;
    Value value(std::string_view field) const { return value(requireField(field)); }

    // Values of any record in the view, for grids; position 0-based, unaffected by the cursor.
    Value valueAt(int viewPosition, int field) const;
    RowReader readerAt(int viewPosition) const { return {m_layout, m_rows[m_view[viewPosition]].get()}; }
    // Records in key order regardless of the filter, for writing.
    RowReader readerOfRecord(int orderPosition) const { return {m_layout, m_rows[orderPosition].get()}; }
    const std::uint8_t* rowBlock(int orderPosition) const { return m_rows[orderPosition].get(); }
    // True when key order is also the order of addition, so a writer need not sort (or even
    // look at) a million records to find out.
    bool rowsInAdditionOrder() const { return m_rowsInAdditionOrder; }

    // Writing the pending record.
    void setNull(int field);
    void setInteger(int field, std::int32_t v);
    void setDateTime(int field, DateTime v);
    void setText(int field, std::string_view v);
    void setValue(int field, const Value& v);
    void setValue(std::string_view field, const Value& v) { setValue(requireField(field), v); }

    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Deletes every record of the view in one pass (the view is empty afterwards).
    void deleteAllInView();
    // Deletes the first `count` records in key order (every record when there are fewer), in view
    // or not, each logged as a deletion. The current record stays current unless it went; then
    // the first record left in view is. Costs one move of the remaining records' positions.
    void deleteFirst(std::size_t count);

    // Unsaved changes: a pending edit with changed fields, or posts and deletes not yet written.
    bool hasUnsavedChanges() const;
    void discardChanges();  // cancels the pending edit and undoes every logged post and delete
    void mergeChangeLog();  // the table now counts as written
    // The changes logged so far; merging only the first `entries` of them leaves the later ones
    // unsaved (a write that started before they were made did not hold them).
    std::size_t changeLogSize() const;
    void mergeChangeLog(std::size_t entries);

    // The changes logged since the last merge, oldest first, for a journal: a posted record as
    // it is now (skipped when it has been deleted or re-keyed since; a later entry covers it),
    // preceded by the removal of its former key when an edit changed the key; a deleted record
    // as the removal of its key.
    enum class Change : unsigned char { Put, Remove };
    using ChangeVisitor = std::function<void(Change change, const std::uint8_t* row, std::int64_t key)>;
    void forEachChange(const ChangeVisitor& visit) const;
    // Merges the change log as mergeChangeLog() does, but hands the replaced and deleted record
    // blocks to the caller instead of freeing them (a writer may still be reading them).
    std::vector<RowPtr> takeChangeLog();

    // Replaying a journal onto a loaded table: a record stored under its key (replacing the one
    // with that key, if any) or the record of a key removed, straight into the stored records,
    // with no events, no change log and no auto-increment. finishReplay() then rebuilds the view.
    // Each step sets the whole state of one key, so replaying a step twice changes nothing.
    void replayPut(const RowBuffer& buffer);
    void replayRemove(std::int64_t key);
    void finishReplay();

    // Moves to the first record in key order whose field equals the value exactly.
    bool locate(int field, const Value& v);
    bool locate(std::string_view field, const Value& v) { return locate(requireField(field), v); }

    // Lookups read through other tables found by name.
    void setLookupResolver(LookupResolver resolver) { m_lookupResolver = std::move(resolver); }
    // The rows a lookup field can choose from: result texts in the lookup table's key order.
    std::vector<std::string> lookupChoices(int field) const;
    // Stores the key of the lookup row whose result equals the text; false when none does.
    bool chooseLookup(int field, std::string_view result);

    // Filtering.
    void setFilterCompiler(const FilterCompiler* compiler) { m_compiler = compiler; }
    const std::string& filterText() const { return m_filterText; }
    FilterStatus setFilterText(std::string text);  // recompiles when the filter is on
    void setFilterCallback(RecordCallback callback);
    bool caseInsensitive() const { return m_caseInsensitive; }
    FilterStatus setCaseInsensitive(bool on);
    bool filtered() const { return m_filtered; }
    FilterStatus setFiltered(bool on);
    // Reads the records into the view again (asks the callback again).
    void refresh();

    Event afterOpen;
    Event onNewRecord;
    Event afterScroll;
    // Runs before the table frees record blocks it kept (merging its change log, discarding
    // changes, closing or reloading), so whoever reads those blocks elsewhere can finish first.
    std::function<void()> beforeBlocksFreed;
    Event afterPost;

private:
    struct LogEntry;
    struct LocateIndex;

    void requireOpen() const;
    void requireEditing() const;
    void requireCurrent() const;
    bool pending() const { return m_state == State::Edit || m_state == State::Insert; }
    const std::uint8_t* currentRow() const;
    std::int64_t keyOf(const std::uint8_t* row) const;
    std::size_t orderPositionFor(std::int64_t key) const;
    bool passes(const std::uint8_t* row) const;
    void rebuildView(int keepOrderPosition = -1);
    FilterStatus compileFilter();
    void scrolled();
    Value lookupValue(int field, const RecordReader& record) const;
    int lookupRowPosition(const Table& target, int keyField, std::int64_t key) const;
    void resetRows();
    // Locating through the key order or an index; false when the field or value needs a scan.
    bool locateIndexed(int field, const Value& v, int& viewPosition);
    LocateIndex& indexFor(int field);
    void indexRow(const std::uint8_t* row);
    std::uint64_t rowHash(const std::uint8_t* row, int field) const;
    static std::uint64_t valueHash(FieldType type, std::string_view text, std::int32_t integer);
    void dropIndexes();
    int viewPositionOf(std::size_t orderPosition) const;  // -1 when the record is not in view
    std::size_t firstWithKey(std::int64_t key) const;     // order position of the first key >= key

    std::string m_name;
    std::vector<FieldDef> m_fields;
    RowLayout m_layout;
    int m_keyField = -1;
    int m_autoIncField = -1;
    State m_state = State::Inactive;

    std::vector<RowPtr> m_rows;         // key order (ties in insertion order)
    std::vector<std::uint32_t> m_view;  // positions in m_rows
    std::vector<LogEntry> m_log;
    std::uint32_t m_nextRowId = 1;
    std::int32_t m_autoInc = 1;
    bool m_rowsInAdditionOrder = true;  // row ids rise along m_rows

    int m_cursor = -1;  // position in m_view
    bool m_bof = true;
    bool m_eof = true;

    RowBuffer m_buffer;
    bool m_bufferChanged = false;
    int m_editPosition = -1;  // position in m_rows of the record being edited

    const FilterCompiler* m_compiler = nullptr;
    std::unique_ptr<CompiledFilter> m_filter;
    std::string m_filterText;
    RecordCallback m_callback;
    bool m_caseInsensitive = false;
    bool m_filtered = false;

    LookupResolver m_lookupResolver;

    // Records a replay has removed but not yet taken out (positions in m_rows).
    std::vector<unsigned char> m_replayRemoved;
    std::size_t m_replayRemovedCount = 0;
    void dropReplayRemoved();
    std::size_t keyPosition(std::int64_t key) const;      // first record with the key, or the size
    std::vector<std::unique_ptr<LocateIndex>> m_indexes;  // made by the first locate of a field
};

}  // namespace corvane
