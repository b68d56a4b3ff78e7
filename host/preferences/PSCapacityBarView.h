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

    long long m_capacity { 0 };
    std::vector<std::pair<std::string, double>> m_use;
};

class PSCapacityBarView : public UIView {
public:
    static rt::Class* classObject();

    // The text under the bar ("31.8 GB of 64 GB Used") for a capacity and the bytes used.
    static std::string usageText(long long capacity, double used);

    rt::Ref<rt::Object> m_barData;
    rt::Ref<rt::Object> m_label; // UILabel
    std::vector<rt::Ref<rt::Object>> m_segments; // UIView per category, then the track
};
