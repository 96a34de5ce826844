#pragma once
// One search result, as the result page gives it (GBK texts, unchanged).

#include <string>

namespace qingyu {

struct SearchHit {
    std::string file_name;  // without <em> tags; "【可疑文件】" in front when suspicious
    std::string share_link;
    std::string file_size;
    std::string sharer;
    std::string share_time;
    std::string download_count;
};

}  // namespace qingyu
