#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/uikit/UIView.h"

// The storage page's usage bar. What it shows comes from its data object (PSCapacityBarData):
// the capacity in bytes and the bytes each category uses. The bar reads the data with the
// `barData` message whenever it lays out, so whatever answers that message decides what it shows.
class PSCapacityBarData : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<PSCapacityBarData> create(long long capacity, std::vector<std::pair<std::string, double>> use);

    long long capacity() const { return m_capacity; }
    // The bytes each category uses, by category name, in the bar's order.
    const std::vector<std::pair<std::string, double>>& use() const { return m_use; }

private:
    long long m_capacity { 0 };
    std::vector<std::pair<std::string, double>> m_use;
};

class PSCapacityBarView : public UIView {
public:
    static rt::Class* classObject();

    // The text under the bar ("31.8 GB of 64 GB Used") for a capacity and the bytes used.
    static std::string usageText(long long capacity, double used);

private:
    void ensureSubviews();
    // Lays the bar out from what `barData` answers now.
    void layoutBar();

    rt::Ref<rt::Object> m_barData;
    rt::Ref<rt::Object> m_label; // UILabel
    std::vector<rt::Ref<rt::Object>> m_segments; // UIView per category, then the track
};
