#include "store/StoreTemplates.h"

#include "store/DataPacketWriter.h"
#include "store/StoreTables.h"

namespace corvane {

std::string templateText(std::string_view tableName) {
    if (tableName == "MessageSet" || tableName == "FacilitySet" || tableName == "SeveritySet") {
        Table t(std::string(tableName), tableName == "MessageSet" ? messageSetFields() : facilitySetFields());
        t.open();
        return DataPacketWriter::write(t);
    }
    if (tableName == "HostSet") {
        Table t("HostSet", hostSetFields());
        t.open();
        t.setAutoIncValue(0);  // the "Any" row takes key 0; new hosts then count from 1
        t.append();
        t.setText(t.requireField("Name"), "Any");
        t.setText(t.requireField("Address"), "Any");
        t.post();
        return DataPacketWriter::write(t);
    }
    if (tableName == "FilterSet") {
        Table t("FilterSet", filterSetFields());
        t.open();
        t.append();
        for (auto [field, value] : {std::pair{"Key", 0},
                                    {"FacilityKey", -1},
                                    {"SeverityKey", -1},
                                    {"HostKey", 0},
                                    {"Amount", 3},
                                    {"TimeKey", 0}})
            t.setInteger(t.requireField(field), value);
        t.post();
        return DataPacketWriter::write(t);
    }
    return {};
}

}  // namespace corvane
