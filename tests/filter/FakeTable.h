#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "store/Field.h"
#include "store/RecordFilter.h"

namespace corvane::testing {

// A vector-backed table for filter tests: each record holds one optional value per field.
class FakeTable {
public:
    using Cell = std::optional<std::variant<std::int32_t, double, std::string>>;
    using Row = std::vector<Cell>;

    explicit FakeTable(std::vector<FieldDef> fields) : m_fields(std::move(fields)) {}

    const std::vector<FieldDef>& fields() const { return m_fields; }
    void add(Row row) { m_rows.push_back(std::move(row)); }
    std::size_t size() const { return m_rows.size(); }

    // The number of records the filter keeps.
    int count(const CompiledFilter& filter) const {
        int n = 0;
        for (const Row& row : m_rows) {
            Reader r(row);
            if (filter.matches(r))
                ++n;
        }
        return n;
    }

    bool matchesRow(const CompiledFilter& filter, std::size_t index) const {
        Reader r(m_rows.at(index));
        return filter.matches(r);
    }

private:
    class Reader final : public RecordReader {
    public:
        explicit Reader(const Row& row) : m_row(row) {}
        bool isNull(int field) const override {
            return !m_row.at(static_cast<std::size_t>(field)).has_value();
        }
        std::int32_t integer(int field) const override {
            return std::get<std::int32_t>(*m_row.at(static_cast<std::size_t>(field)));
        }
        double dateTime(int field) const override {
            return std::get<double>(*m_row.at(static_cast<std::size_t>(field)));
        }
        std::string_view text(int field) const override {
            return std::get<std::string>(*m_row.at(static_cast<std::size_t>(field)));
        }

    private:
        const Row& m_row;
    };

    std::vector<FieldDef> m_fields;
    std::vector<Row> m_rows;
};

}  // namespace corvane::testing
