REM 文字基点の反転：選択した文字の基点を左右・上下・上下左右に反転します
REM #jww
REM #cd
REM #zc
REM #zz
REM #zw
REM #hc 基点を反転する文字を含む図形を範囲選択してください
REM #e
start /w JwwTextFlip.exe
