REM 文字基点の反転：選択した文字の基点を左右反転・上下反転・上下左右反転します（文字の位置は変わりません）
@echo off
REM #jww
REM #cd
REM #h3
REM #hc 基点を反転する文字を範囲選択してください（終点は右クリック：文字を含む）
REM #g1
REM #zc
REM #zz
REM #zw
REM #ht10
REM #ht20
REM #ht30
REM #ht40
REM #e
start /w JwwTextFlip.exe
