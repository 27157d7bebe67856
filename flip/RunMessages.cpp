#include "flip/RunMessages.h"

std::string SaveFailedMessage(const std::string& folder) {
  return "JWC_TEMP.TXT に結果を書き込めませんでした。\n"
         "図面は変更されていません。\n"
         "フォルダ：" + folder + "\n"
         "\n"
         "考えられる原因：\n"
         "・書き込みの許可がないフォルダ（Program Files など）\n"
         "・ほかのプログラムが JWC_TEMP.TXT を開いている\n"
         "・ディスクの空きが足りない\n"
         "\n"
         "本ソフトのファイルを書き込みのできるフォルダに移す、ファイルを開いている"
         "プログラムを閉じる、ディスクの空きを作るなどしてから、Jw_cad の外部変形で"
         "もう一度実行してください。";
}

std::string NoTransferFileMessage(const std::string& folder) {
  return "JWC_TEMP.TXT がありません。\n"
         "フォルダ：" + folder + "\n"
         "\n"
         "本ソフトは Jw_cad の外部変形から起動します。Jw_cad の［その他］→"
         "［外部変形］で、このフォルダのバッチファイル（文字基点_反転.bat など）を"
         "選んでください。";
}
