#include "gamedata/base/load_failure_report.h"

#include "foundation/data_record.h"
#include "foundation/report.h"

void ReportLoadFailure(const std::string& path) {
    if (NewerFileFlag) {
        LogErrorBox("%s の読み込みに失敗しました！\n実行ファイル(.exe)より上位のバージョンのファイルは使用できません。",
                    path.c_str());
    } else {
        LogErrorBox("%s の読み込みに失敗しました！", path.c_str());
    }
}
