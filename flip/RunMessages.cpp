#include "flip/RunMessages.h"

std::string SaveFailedMessage(const std::string& folder) {
  return "JWC_TEMP.TXT に結果を書き込めませんでした。\n"
         "図面は変更されていません。\n"
         "フォルダ：" + folder + "\n"
         "\n"
         "考えられる原因：\n"
         "・書き込みの許可がないフォルダ（Program Files など）\n"
         "・読み取り専用の JWC_TEMP.TXT\n"
         "・ほかのプログラムが JWC_TEMP.TXT を開いている\n"
         "・ディスクの空きが足りない\n"
         "\n"
         "本ソフトのファイルを書き込みのできるフォルダに移す、読み取り専用を外す、"
         "ファイルを開いているプログラムを閉じる、ディスクの空きを作るなどしてから、"
         "Jw_cad の外部変形でもう一度実行してください。";
}

std::string NoTransferFileMessage(const std::string& folder) {
  return "JWC_TEMP.TXT がありません。\n"
         "フォルダ：" + folder + "\n"
         "\n"
         "本ソフトは Jw_cad の外部変形から起動します。Jw_cad の［その他］→"
         "［外部変形］で、このフォルダのバッチファイル（文字基点_反転.bat など）を"
         "選んでください。";
}

std::string UnaskedHqMessage(TRunOutcome outcome, const std::string& folder) {
  switch (outcome) {
    case TRunOutcome::inUse:
      return "JWC_TEMP.TXT をほかのプログラムが使っているため、読み込めませんでした。\n"
             "図面は変更されていません。\n"
             "フォルダ：" + folder + "\n"
             "\n"
             "JWC_TEMP.TXT を開いているプログラム（テキストエディタ、OneDrive などの同期"
             "ソフトなど）を閉じてから、Jw_cad の外部変形でもう一度実行してください。";
    case TRunOutcome::notOpened:
      return "JWC_TEMP.TXT を読み込めませんでした。\n"
             "図面は変更されていません。\n"
             "フォルダ：" + folder + "\n"
             "\n"
             "考えられる原因：\n"
             "・JWC_TEMP.TXT がファイルではない（同じ名前のフォルダなど）\n"
             "・JWC_TEMP.TXT を読む許可がない\n"
             "\n"
             "同じ名前のフォルダなどがあれば別の場所に移し、Jw_cad の外部変形でもう一度"
             "実行してください。";
    case TRunOutcome::notReadToEnd:
      return "JWC_TEMP.TXT を最後まで読み込めませんでした。\n"
             "図面は変更されていません。\n"
             "フォルダ：" + folder + "\n"
             "\n"
             "考えられる原因：\n"
             "・読み込み中の変更や切り詰め（OneDrive などの同期ソフト、ウイルス対策ソフト）\n"
             "・空のファイル、途中に EOF 記号があるファイル\n"
             "・読み込みエラー、メモリ不足\n"
             "\n"
             "Jw_cad の外部変形でもう一度実行してください。メモリが足りないときは、選ぶ範囲を"
             "小さくしてください。繰り返し起きるときは、本ソフトのフォルダを OneDrive などの"
             "同期の対象から外してください。";
    case TRunOutcome::outOfMemory:
      return "メモリが足りないため、処理を最後まで行えませんでした。\n"
             "図面は変更されていません。\n"
             "\n"
             "選ぶ範囲を小さくして、Jw_cad の外部変形でもう一度実行してください。ほかの"
             "プログラムを閉じてメモリを空けるのも効果があります。";
    case TRunOutcome::failed:
      return "処理の途中でエラーが起きました。\n"
             "図面は変更されていません。\n"
             "\n"
             "Jw_cad の外部変形でもう一度実行してください。繰り返し起きるときは、選ぶ範囲を"
             "小さくするか、Windows を再起動してから試してください。";
    case TRunOutcome::answered:
    case TRunOutcome::escaped:
      break;
  }
  return {};
}
