<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>StringTable</name>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>111</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H00804020</source>
            <comment>112</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00804020</translation>
        </message>
        <message>
            <source>&amp;H00FFFFFF</source>
            <comment>113</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00FFFFFF</translation>
        </message>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>121</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H00F0E8E0</source>
            <comment>122</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00F0E8E0</translation>
        </message>
        <message>
            <source>&amp;H00000000</source>
            <comment>123</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00000000</translation>
        </message>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>131</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H00000000</source>
            <comment>132</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00000000</translation>
        </message>
        <message>
            <source>&amp;h00c0c0c0</source>
            <comment>133</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;h00c0c0c0</translation>
        </message>
        <message>
            <source>&amp;h00ffffff</source>
            <comment>134</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;h00ffffff</translation>
        </message>
        <message>
            <source>&amp;H8000000F</source>
            <comment>143</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000F</translation>
        </message>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>211</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H00804020</source>
            <comment>212</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00804020</translation>
        </message>
        <message>
            <source>&amp;H00FFFFFF</source>
            <comment>213</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00FFFFFF</translation>
        </message>
        <message>
            <source>&amp;H00000000</source>
            <comment>214</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00000000</translation>
        </message>
        <message>
            <source>&amp;H8000000F</source>
            <comment>243</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000F</translation>
        </message>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>311</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H00804020</source>
            <comment>312</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00804020</translation>
        </message>
        <message>
            <source>&amp;H00FFFFFF</source>
            <comment>313</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00FFFFFF</translation>
        </message>
        <message>
            <source>&amp;H00000000</source>
            <comment>314</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00000000</translation>
        </message>
        <message>
            <source>&amp;H8000000F</source>
            <comment>343</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000F</translation>
        </message>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>411</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H00804020</source>
            <comment>412</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00804020</translation>
        </message>
        <message>
            <source>&amp;H00FFFFFF</source>
            <comment>413</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00FFFFFF</translation>
        </message>
        <message>
            <source>&amp;H00000000</source>
            <comment>414</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H00000000</translation>
        </message>
        <message>
            <source>&amp;H8000000F</source>
            <comment>443</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000F</translation>
        </message>
        <message>
            <source>&amp;HB5FFFF</source>
            <comment>511</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;HB5FFFF</translation>
        </message>
        <message>
            <source>&amp;HBFBFBF</source>
            <comment>512</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;HBFBFBF</translation>
        </message>
        <message>
            <source>ＭＳ Ｐゴシック</source>
            <comment>521</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ Ｐゴシック</translation>
        </message>
        <message>
            <source>&amp;H8000000F</source>
            <comment>522</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000F</translation>
        </message>
        <message>
            <source>&amp;H8000000F</source>
            <comment>523</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000F</translation>
        </message>
        <message>
            <source>&amp;H80000008</source>
            <comment>524</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H80000008</translation>
        </message>
        <message>
            <source>&amp;H80000005</source>
            <comment>525</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H80000005</translation>
        </message>
        <message>
            <source>読み出し</source>
            <comment>1002</comment>
            <translation>Read</translation>
        </message>
        <message>
            <source>ZK-VR340aとの接続インターフェイスを選択して下さい。</source>
            <comment>1101</comment>
            <translation>Choose the interface that connects to the ZK-VR340a.</translation>
        </message>
        <message>
            <source>ﾌｧｲﾙ(&amp;F)</source>
            <comment>1201</comment>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>ﾀﾞｳﾝﾛｰﾄﾞ(&amp;L)</source>
            <comment>1202</comment>
            <translation>Down&amp;load</translation>
        </message>
        <message>
            <source>ﾃﾞﾊﾞｯｸﾞ(&amp;D)</source>
            <comment>1203</comment>
            <translation>&amp;Debug</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <comment>1204</comment>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>ｳｨﾝﾄﾞｳ(&amp;W)</source>
            <comment>1205</comment>
            <translation>&amp;Window</translation>
        </message>
        <message>
            <source>ﾍﾙﾌﾟ(&amp;H)</source>
            <comment>1206</comment>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>IP設定(&amp;I)</source>
            <comment>1207</comment>
            <translation>&amp;IP Settings</translation>
        </message>
        <message>
            <source>開く(&amp;O)</source>
            <comment>1211</comment>
            <translation>&amp;Open...</translation>
        </message>
        <message>
            <source>上書き保存(&amp;S)</source>
            <comment>1212</comment>
            <translation>&amp;Save</translation>
        </message>
        <message>
            <source>名前を付けて保存(&amp;A)</source>
            <comment>1213</comment>
            <translation>Save &amp;As...</translation>
        </message>
        <message>
            <source>動作モード切替(&amp;M)</source>
            <comment>1214</comment>
            <translation>Switch &amp;Mode</translation>
        </message>
        <message>
            <source>終了(&amp;Q)</source>
            <comment>1215</comment>
            <translation>&amp;Quit</translation>
        </message>
        <message>
            <source>印刷(&amp;P)</source>
            <comment>1216</comment>
            <translation>&amp;Print...</translation>
        </message>
        <message>
            <source>メインプログラム(&amp;M)</source>
            <comment>1221</comment>
            <translation>&amp;Main Program</translation>
        </message>
        <message>
            <source>ＦＰＧＡ(&amp;F)</source>
            <comment>1222</comment>
            <translation>&amp;FPGA</translation>
        </message>
        <message>
            <source>書き込みプログラム(&amp;W)</source>
            <comment>1223</comment>
            <translation>&amp;Writer Program</translation>
        </message>
        <message>
            <source>ZK-VR340(&amp;1)</source>
            <comment>1224</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ZK-VR340(&amp;1)</translation>
        </message>
        <message>
            <source>ZK-VR340a(&amp;A)</source>
            <comment>1225</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ZK-VR340a(&amp;A)</translation>
        </message>
        <message>
            <source>ダイレクト読み込み(&amp;R)</source>
            <comment>1231</comment>
            <translation>Direct &amp;Read...</translation>
        </message>
        <message>
            <source>ダイレクト書き込み(&amp;W)</source>
            <comment>1232</comment>
            <translation>Direct &amp;Write...</translation>
        </message>
        <message>
            <source>ウィンドウの整列(&amp;R)</source>
            <comment>1251</comment>
            <translation>A&amp;rrange Windows</translation>
        </message>
        <message>
            <source>バージョン情報(&amp;V)</source>
            <comment>1261</comment>
            <translation>&amp;Version Information</translation>
        </message>
        <message>
            <source>アプリケーションの終了</source>
            <comment>1271</comment>
            <translation>Quit</translation>
        </message>
        <message>
            <source>ミキサーの表示</source>
            <comment>1272</comment>
            <translation>Show a mixer</translation>
        </message>
        <message>
            <source>ウインドウの整列</source>
            <comment>1273</comment>
            <translation>Arrange windows</translation>
        </message>
        <message>
            <source>動作モードの切り替え</source>
            <comment>1274</comment>
            <translation>Switch mode</translation>
        </message>
        <message>
            <source>設定値の読み込み</source>
            <comment>1275</comment>
            <translation>Load settings</translation>
        </message>
        <message>
            <source>設定値の上書き保存</source>
            <comment>1276</comment>
            <translation>Save settings</translation>
        </message>
        <message>
            <source>バージョン情報</source>
            <comment>1277</comment>
            <translation>Version information</translation>
        </message>
        <message>
            <source>印刷</source>
            <comment>1278</comment>
            <translation>Print</translation>
        </message>
        <message>
            <source>転送中．．．．</source>
            <comment>1301</comment>
            <translation>Transferring...</translation>
        </message>
        <message>
            <source>終了します。よろしいですか？</source>
            <comment>1311</comment>
            <translation>Quit the program?</translation>
        </message>
        <message>
            <source>表示するミキサーの番号を指定して下さい。</source>
            <comment>1601</comment>
            <translation>Choose the mixer to show.</translation>
        </message>
        <message>
            <source>のバージョン情報</source>
            <comment>1701</comment>
            <extracomment>Follows &quot;ZK-VR340a&quot; in the title of the version window.</extracomment>
            <translation>Version Information</translation>
        </message>
        <message>
            <source>バージョン：</source>
            <comment>1702</comment>
            <translation>Version: </translation>
        </message>
        <message>
            <source>ホストＰＣ用 ZK-VR340a</source>
            <comment>1703</comment>
            <translation>ZK-VR340a control for the host PC</translation>
        </message>
        <message>
            <source>応答がありません</source>
            <comment>1801</comment>
            <translation>No response</translation>
        </message>
        <message>
            <source>異常終了しました</source>
            <comment>1802</comment>
            <translation>The operation ended abnormally</translation>
        </message>
        <message>
            <source>ミキサーの設定に失敗しました</source>
            <comment>1803</comment>
            <translation>Could not set the mixer</translation>
        </message>
        <message>
            <source>ZK-VR340a</source>
            <comment>1901</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ZK-VR340a</translation>
        </message>
        <message>
            <source>マスター</source>
            <comment>1902</comment>
            <translation>Master</translation>
        </message>
        <message>
            <source>スレーブ</source>
            <comment>1903</comment>
            <translation>Slave</translation>
        </message>
        <message>
            <source>OK</source>
            <comment>1904</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <comment>1905</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>RS-232C</source>
            <comment>1910</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>RS-232C</translation>
        </message>
        <message>
            <source>USB</source>
            <comment>1911</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>USB</translation>
        </message>
        <message>
            <source>オフライン</source>
            <comment>1912</comment>
            <translation>Offline</translation>
        </message>
        <message>
            <source>Ethernet</source>
            <comment>1913</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>Ethernet</translation>
        </message>
        <message>
            <source>無効</source>
            <comment>1931</comment>
            <translation>Disabled</translation>
        </message>
        <message>
            <source>有効</source>
            <comment>1932</comment>
            <translation>Enabled</translation>
        </message>
        <message>
            <source>[デザイン]</source>
            <comment>1951</comment>
            <translation>[Design]</translation>
        </message>
        <message>
            <source>(無題)</source>
            <comment>1953</comment>
            <translation>(Untitled)</translation>
        </message>
        <message>
            <source>入力ｱｯﾃﾈｰﾀ</source>
            <comment>2101</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Input      attenuator</translation>
        </message>
        <message>
            <source>ﾌｧﾝﾄﾑ電源</source>
            <comment>2102</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Phantom      power</translation>
        </message>
        <message>
            <source>ﾍｯﾄﾞｱﾝﾌﾟｹﾞｲﾝ</source>
            <comment>2103</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Head amp      gain</translation>
        </message>
        <message>
            <source>ローカット</source>
            <comment>2104</comment>
            <translation>Low cut</translation>
        </message>
        <message>
            <source>チャンネル       レベル(dB)</source>
            <comment>2105</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Channel      level (dB)</translation>
        </message>
        <message>
            <source>ｵｰﾊﾞｰﾗｲﾄﾞ</source>
            <comment>2106</comment>
            <translation>Override</translation>
        </message>
        <message>
            <source>ミュート</source>
            <comment>2107</comment>
            <translation>Mute</translation>
        </message>
        <message>
            <source>ｽﾚｯｼｮﾙﾄﾞ　       計算対象</source>
            <comment>2108</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>In threshold      calculation</translation>
        </message>
        <message>
            <source>-40dB</source>
            <comment>2110</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-40dB</translation>
        </message>
        <message>
            <source>-30dB</source>
            <comment>2111</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-30dB</translation>
        </message>
        <message>
            <source>   0dB  　(Mic)</source>
            <comment>2112</comment>
            <extracomment>Kept as is: a level caption; the wide space lines up (Mic) with (Line) in the option below.</extracomment>
            <translation>   0dB  　(Mic)</translation>
        </message>
        <message>
            <source>-50dB　(Line)</source>
            <comment>2113</comment>
            <extracomment>Kept as is: a level caption; the wide space lines up (Mic) with (Line) in the option below.</extracomment>
            <translation>-50dB　(Line)</translation>
        </message>
        <message>
            <source>-30dB</source>
            <comment>2119</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-30dB</translation>
        </message>
        <message>
            <source>-25dB</source>
            <comment>2120</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-25dB</translation>
        </message>
        <message>
            <source>   0dB</source>
            <comment>2121</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>   0dB</translation>
        </message>
        <message>
            <source>-10dB</source>
            <comment>2122</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-10dB</translation>
        </message>
        <message>
            <source>-20dB</source>
            <comment>2123</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-20dB</translation>
        </message>
        <message>
            <source>出力関連</source>
            <comment>2201</comment>
            <translation>Output</translation>
        </message>
        <message>
            <source>スレッショルド関連</source>
            <comment>2202</comment>
            <translation>Threshold</translation>
        </message>
        <message>
            <source>ゲート処理関連</source>
            <comment>2203</comment>
            <translation>Gate</translation>
        </message>
        <message>
            <source>出力アッテネータ</source>
            <comment>2211</comment>
            <translation>Output attenuator</translation>
        </message>
        <message>
            <source>マスターレベル</source>
            <comment>2212</comment>
            <translation>Master level</translation>
        </message>
        <message>
            <source>ｽﾚｯｼｮﾙﾄﾞレベル</source>
            <comment>2213</comment>
            <translation>Threshold level</translation>
        </message>
        <message>
            <source>ゲート減衰量設定</source>
            <comment>2214</comment>
            <translation>Gate attenuation</translation>
        </message>
        <message>
            <source>NOMA</source>
            <comment>2221</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>NOMA</translation>
        </message>
        <message>
            <source>キーロック</source>
            <comment>2222</comment>
            <translation>Key lock</translation>
        </message>
        <message>
            <source>許容アンビエントノイズ増加量  (ゲート減衰量Auto時に有効)</source>
            <comment>2301</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Allowed ambient noise rise  (with automatic gate attenuation)</translation>
        </message>
        <message>
            <source>オートスレッショルド倍率</source>
            <comment>2302</comment>
            <translation>Auto threshold factor</translation>
        </message>
        <message>
            <source>レベルメーター表示レベル</source>
            <comment>2303</comment>
            <translation>Meter peak level</translation>
        </message>
        <message>
            <source>ミキサー番号</source>
            <comment>2602</comment>
            <translation>Mixer</translation>
        </message>
        <message>
            <source>の設定値を初期化します</source>
            <comment>2701</comment>
            <extracomment>Follows the name of what is reset, e.g. &quot;Channel 3&quot; or &quot;IP settings&quot;.</extracomment>
            <translation>: the settings will be reset to their initial values.</translation>
        </message>
        <message>
            <source>設定が変更されています</source>
            <comment>2703</comment>
            <translation>The settings have been changed.</translation>
        </message>
        <message>
            <source>無効なデータです</source>
            <comment>2706</comment>
            <translation>Invalid data</translation>
        </message>
        <message>
            <source>チャンネル</source>
            <comment>2707</comment>
            <translation>Channel</translation>
        </message>
        <message>
            <source>全てのチャンネル</source>
            <comment>2708</comment>
            <translation>All channels</translation>
        </message>
        <message>
            <source>現在の設定を保存しますか？</source>
            <comment>2732</comment>
            <translation>Save the current settings?</translation>
        </message>
        <message>
            <source>保存されているミキサーのリンク台数は</source>
            <comment>2741</comment>
            <extracomment>Followed by the number of mixers stored in the file and the text 2742.</extracomment>
            <translation>Linked mixers stored in the file: </translation>
        </message>
        <message>
            <source>台です</source>
            <comment>2742</comment>
            <extracomment>Follows the number of mixers stored in the file.</extracomment>
            <translation>.</translation>
        </message>
        <message>
            <source>情報が存在しないミキサーはデフォルト状態となります</source>
            <comment>2743</comment>
            <translation>Mixers without stored settings get the default settings.</translation>
        </message>
        <message>
            <source>現在のリンク台数を超えるミキサーの情報は破棄されます</source>
            <comment>2744</comment>
            <translation>The settings of mixers beyond the linked ones are discarded.</translation>
        </message>
        <message>
            <source>処理を続行しますか？</source>
            <comment>2745</comment>
            <translation>Continue?</translation>
        </message>
        <message>
            <source>現在の設定が失われます</source>
            <comment>2761</comment>
            <translation>The current settings will be lost.</translation>
        </message>
        <message>
            <source>ロードしますか？</source>
            <comment>2762</comment>
            <translation>Load the file?</translation>
        </message>
        <message>
            <source>プライオリティ</source>
            <comment>2801</comment>
            <translation>Priority</translation>
        </message>
        <message>
            <source>スレッショルド最大値</source>
            <comment>2802</comment>
            <translation>Threshold maximum</translation>
        </message>
        <message>
            <source>スレッショルド最小値</source>
            <comment>2803</comment>
            <translation>Threshold minimum</translation>
        </message>
        <message>
            <source>ゲート減衰量設定</source>
            <comment>2804</comment>
            <translation>Gate attenuation</translation>
        </message>
        <message>
            <source>スレッショルド動作</source>
            <comment>2805</comment>
            <translation>Threshold mode</translation>
        </message>
        <message>
            <source>チャンネル設定データ</source>
            <comment>2901</comment>
            <translation>Channels</translation>
        </message>
        <message>
            <source>システム設定データ</source>
            <comment>2902</comment>
            <translation>System</translation>
        </message>
        <message>
            <source>拡張データ</source>
            <comment>2903</comment>
            <translation>Extended data</translation>
        </message>
        <message>
            <source>各種初期値</source>
            <comment>2904</comment>
            <translation>Initial values</translation>
        </message>
        <message>
            <source>ch</source>
            <comment>2911</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ch</translation>
        </message>
        <message>
            <source>ON</source>
            <comment>2912</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ON</translation>
        </message>
        <message>
            <source>OFF</source>
            <comment>2913</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>OFF</translation>
        </message>
        <message>
            <source>-60dB</source>
            <comment>2921</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-60dB</translation>
        </message>
        <message>
            <source>-40dB</source>
            <comment>2922</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-40dB</translation>
        </message>
        <message>
            <source>-20dB</source>
            <comment>2923</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-20dB</translation>
        </message>
        <message>
            <source>マニュアル</source>
            <comment>2942</comment>
            <translation>Manual</translation>
        </message>
        <message>
            <source>オート</source>
            <comment>2943</comment>
            <translation>Auto</translation>
        </message>
        <message>
            <source>全体(Link時)</source>
            <comment>2952</comment>
            <translation>All (linked)</translation>
        </message>
        <message>
            <source>単体</source>
            <comment>2953</comment>
            <translation>This mixer</translation>
        </message>
        <message>
            <source>-40dB</source>
            <comment>2960</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-40dB</translation>
        </message>
        <message>
            <source>-30dB</source>
            <comment>2961</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-30dB</translation>
        </message>
        <message>
            <source>   0dB(Line)</source>
            <comment>2962</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>   0dB(Line)</translation>
        </message>
        <message>
            <source>-50dB(Mic)</source>
            <comment>2963</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-50dB(Mic)</translation>
        </message>
        <message>
            <source>メモリ不足でフォームを表示できません。</source>
            <comment>3000</comment>
            <translation>Not enough memory to show the window.</translation>
        </message>
        <message>
            <source>ノイズ検出</source>
            <comment>4100</comment>
            <translation>Noise detection</translation>
        </message>
        <message>
            <source>基準値</source>
            <comment>4101</comment>
            <translation>Reference</translation>
        </message>
        <message>
            <source>ﾉｲｽﾞｽﾚｯｼｮﾙﾄﾞ</source>
            <comment>4102</comment>
            <translation>Noise threshold</translation>
        </message>
        <message>
            <source>頭欠け防止</source>
            <comment>4103</comment>
            <translation>Front-clip guard</translation>
        </message>
        <message>
            <source>無音時間規定値</source>
            <comment>4104</comment>
            <translation>Silence time</translation>
        </message>
        <message>
            <source>ホールド時間</source>
            <comment>4105</comment>
            <translation>Hold time</translation>
        </message>
        <message>
            <source>スレッショルド係数</source>
            <comment>4106</comment>
            <translation>Threshold factor</translation>
        </message>
        <message>
            <source>アクセス権限がありません。データ閲覧モードで動作します。</source>
            <comment>4200</comment>
            <translation>No write access: the program only shows the mixer's data.</translation>
        </message>
        <message>
            <source>印刷</source>
            <comment>4300</comment>
            <translation>Print</translation>
        </message>
        <message>
            <source>利用できるプリンタがありません</source>
            <comment>4301</comment>
            <translation>No printer is available</translation>
        </message>
        <message>
            <source>印刷に失敗しました</source>
            <comment>4302</comment>
            <translation>Printing failed</translation>
        </message>
        <message>
            <source>シリアルポート:</source>
            <comment>9002</comment>
            <translation>Serial port:</translation>
        </message>
        <message>
            <source>シリアルポートの初期化に失敗しました。</source>
            <comment>9100</comment>
            <translation>Could not open the serial port.</translation>
        </message>
        <message>
            <source>Linux ではシリアルデバイスへのアクセス権（dialout グループ）が必要です。</source>
            <comment>9101</comment>
            <translation>On Linux, serial devices need access rights (the dialout group).</translation>
        </message>
        <message>
            <source>ＵＳＢドライバの初期化に失敗しました。</source>
            <comment>9102</comment>
            <translation>Could not open the USB driver.</translation>
        </message>
        <message>
            <source>Ｅｔｈｅｒｎｅｔの初期化に失敗しました。</source>
            <comment>9103</comment>
            <translation>Could not open the Ethernet connection.</translation>
        </message>
        <message>
            <source>接続先</source>
            <comment>9110</comment>
            <translation>Connection</translation>
        </message>
        <message>
            <source>IPアドレス</source>
            <comment>9111</comment>
            <translation>IP address</translation>
        </message>
        <message>
            <source>ユーザーID</source>
            <comment>9112</comment>
            <translation>User ID</translation>
        </message>
        <message>
            <source>ミキサー検索</source>
            <comment>9113</comment>
            <translation>Search</translation>
        </message>
        <message>
            <source>通信開始</source>
            <comment>9114</comment>
            <translation>Connect</translation>
        </message>
        <message>
            <source>ネットワーク上に該当するミキサーが見つかりません。</source>
            <comment>9115</comment>
            <translation>No mixer with this user ID was found on the network.</translation>
        </message>
        <message>
            <source>ネットワーク上に複数のミキサーが存在します。ユーザーIDを変更してください。</source>
            <comment>9116</comment>
            <translation>Several mixers on the network have this user ID. Change the user ID.</translation>
        </message>
        <message>
            <source>ミキサー検索用のUDPポート %1 を開けません。</source>
            <comment>9117</comment>
            <translation>Cannot open UDP port %1 for the mixer search.</translation>
        </message>
        <message>
            <source>IP設定</source>
            <comment>9140</comment>
            <translation>IP Settings</translation>
        </message>
        <message>
            <source>ミキサーの設定値</source>
            <comment>9141</comment>
            <translation>Mixer settings</translation>
        </message>
        <message>
            <source>DHCPクライアント</source>
            <comment>9142</comment>
            <translation>DHCP client</translation>
        </message>
        <message>
            <source>ミキサーへ転送</source>
            <comment>9143</comment>
            <translation>Send to mixer</translation>
        </message>
        <message>
            <source>初期値設定</source>
            <comment>9144</comment>
            <translation>Reset</translation>
        </message>
        <message>
            <source>get wants MIXER KEY</source>
            <comment>9200</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>get wants MIXER KEY</translation>
        </message>
        <message>
            <source>set wants MIXER KEY=VALUE [KEY=VALUE ...]</source>
            <comment>9201</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>set wants MIXER KEY=VALUE [KEY=VALUE ...]</translation>
        </message>
        <message>
            <source>%1: mixer must be 1..16</source>
            <comment>9202</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: mixer must be 1..16</translation>
        </message>
        <message>
            <source>%1: &quot;%2&quot; is no key of the data block or Threshold</source>
            <comment>9203</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: &quot;%2&quot; is no key of the data block or Threshold</translation>
        </message>
        <message>
            <source>set: &quot;%1&quot; is not KEY=VALUE</source>
            <comment>9204</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>set: &quot;%1&quot; is not KEY=VALUE</translation>
        </message>
        <message>
            <source>set: value of %1 must be 0..%2</source>
            <comment>9205</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>set: value of %1 must be 0..%2</translation>
        </message>
        <message>
            <source>zkvr340a-ctl: %1: mixer %2 is not linked (%3 linked)</source>
            <comment>9206</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>zkvr340a-ctl: %1: mixer %2 is not linked (%3 linked)</translation>
        </message>
        <message>
            <source>設定値ファイル (*.ini)</source>
            <comment>9300</comment>
            <extracomment>A file dialog filter: keep the pattern in brackets.</extracomment>
            <translation>Settings files (*.ini)</translation>
        </message>
        <message>
            <source>設定値ファイルを保存できませんでした</source>
            <comment>9301</comment>
            <translation>Could not save the settings file</translation>
        </message>
        <message>
            <source>MUTE</source>
            <comment>9400</comment>
            <extracomment>Kept as is: shown in level fields and typed by users for the lowest level; the entry accepts this word.</extracomment>
            <translation>MUTE</translation>
        </message>
        <message>
            <source>&amp;HC0FFC0</source>
            <comment>9580</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;HC0FFC0</translation>
        </message>
        <message>
            <source>&amp;H80FF&amp;</source>
            <comment>9581</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H80FF&amp;</translation>
        </message>
        <message>
            <source>&amp;H80FFFF</source>
            <comment>9582</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H80FFFF</translation>
        </message>
        <message>
            <source>ＭＳ ゴシック</source>
            <comment>9583</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>ＭＳ ゴシック</translation>
        </message>
        <message>
            <source>書き込み</source>
            <comment>9640</comment>
            <translation>Write</translation>
        </message>
        <message>
            <source>ダイレクト</source>
            <comment>9641</comment>
            <extracomment>Joined to &quot;Read&quot; or &quot;Write&quot;.</extracomment>
            <translation>Direct</translation>
        </message>
        <message>
            <source>サイズ</source>
            <comment>9642</comment>
            <translation>size</translation>
        </message>
        <message>
            <source>1バイト</source>
            <comment>9643</comment>
            <translation>1 byte</translation>
        </message>
        <message>
            <source>2バイト</source>
            <comment>9644</comment>
            <translation>2 bytes</translation>
        </message>
        <message>
            <source>4バイト</source>
            <comment>9645</comment>
            <translation>4 bytes</translation>
        </message>
        <message>
            <source>アドレス</source>
            <comment>9646</comment>
            <translation>address</translation>
        </message>
        <message>
            <source>データ</source>
            <comment>9647</comment>
            <translation>data</translation>
        </message>
        <message>
            <source> (HEX)</source>
            <comment>9648</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation> (HEX)</translation>
        </message>
        <message>
            <source>--stuck wants MIXER:KEY=VALUE, got &quot;%1&quot;</source>
            <comment>9700</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--stuck wants MIXER:KEY=VALUE, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--stuck: mixer must be 1..16</source>
            <comment>9701</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--stuck: mixer must be 1..16</translation>
        </message>
        <message>
            <source>--stuck: unknown key &quot;%1&quot;</source>
            <comment>9702</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--stuck: unknown key &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--stuck: value out of range for %1</source>
            <comment>9703</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--stuck: value out of range for %1</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <comment>9704</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1 needs a value</translation>
        </message>
        <message>
            <source>--tcp wants [HOST:]PORT</source>
            <comment>9705</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--tcp wants [HOST:]PORT</translation>
        </message>
        <message>
            <source>--usb needs a folder</source>
            <comment>9706</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--usb needs a folder</translation>
        </message>
        <message>
            <source>--usb-name needs a plain name</source>
            <comment>9707</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--usb-name needs a plain name</translation>
        </message>
        <message>
            <source>--mixers must be 1..16</source>
            <comment>9708</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--mixers must be 1..16</translation>
        </message>
        <message>
            <source>--model must be 0..255</source>
            <comment>9709</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--model must be 0..255</translation>
        </message>
        <message>
            <source>--address wants an IPv4 address</source>
            <comment>9710</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--address wants an IPv4 address</translation>
        </message>
        <message>
            <source>--user-id wants at most 255 ASCII characters</source>
            <comment>9711</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--user-id wants at most 255 ASCII characters</translation>
        </message>
        <message>
            <source>--drop wants a probability 0..1</source>
            <comment>9712</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--drop wants a probability 0..1</translation>
        </message>
        <message>
            <source>--corrupt wants a probability 0..1</source>
            <comment>9713</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--corrupt wants a probability 0..1</translation>
        </message>
        <message>
            <source>--delay wants milliseconds</source>
            <comment>9714</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--delay wants milliseconds</translation>
        </message>
        <message>
            <source>--seed wants a number</source>
            <comment>9715</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--seed wants a number</translation>
        </message>
        <message>
            <source>--search-port wants a port</source>
            <comment>9716</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--search-port wants a port</translation>
        </message>
        <message>
            <source>--reply-port wants a port</source>
            <comment>9717</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--reply-port wants a port</translation>
        </message>
        <message>
            <source>unknown argument &quot;%1&quot;</source>
            <comment>9718</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>unknown argument &quot;%1&quot;</translation>
        </message>
        <message>
            <source>choose at least one of --tcp, --serial, --usb</source>
            <comment>9719</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>choose at least one of --tcp, --serial, --usb</translation>
        </message>
        <message>
            <source>--stuck names mixer %1 of %2</source>
            <comment>9720</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--stuck names mixer %1 of %2</translation>
        </message>
        <message>
            <source>cannot create %1</source>
            <comment>9721</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>cannot create %1</translation>
        </message>
        <message>
            <source>%1 exists and is no FIFO</source>
            <comment>9722</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1 exists and is no FIFO</translation>
        </message>
        <message>
            <source>mkfifo %1: %2</source>
            <comment>9723</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>mkfifo %1: %2</translation>
        </message>
        <message>
            <source>cannot open the pipes of %1: %2</source>
            <comment>9724</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>cannot open the pipes of %1: %2</translation>
        </message>
        <message>
            <source>--tcp: %1 is no loopback address</source>
            <comment>9725</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--tcp: %1 is no loopback address</translation>
        </message>
        <message>
            <source>cannot listen on %1:%2: %3</source>
            <comment>9726</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>cannot listen on %1:%2: %3</translation>
        </message>
        <message>
            <source>--search-port: %1 is no loopback address</source>
            <comment>9727</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--search-port: %1 is no loopback address</translation>
        </message>
        <message>
            <source>cannot bind UDP %1:%2: %3</source>
            <comment>9728</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>cannot bind UDP %1:%2: %3</translation>
        </message>
        <message>
            <source>openpty: %1</source>
            <comment>9729</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>openpty: %1</translation>
        </message>
        <message>
            <source>usage: zkvr340a-sim [--tcp [HOST:]PORT] [--serial [--line-rate BPS]] [--usb DIR [--usb-name NAME]]
                    [--mixers N] [--model CODE] [--address A.B.C.D] [--user-id ID]
                    [--deny-write] [--log-writes] [--drop P] [--corrupt P] [--delay MS]
                    [--stuck MIXER:KEY=VALUE]... [--seed N]
                    [--search-port PORT [--reply-port PORT]]
Prints one line starting with &quot;ready&quot; naming its endpoints once it listens.
</source>
            <comment>9730</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>usage: zkvr340a-sim [--tcp [HOST:]PORT] [--serial [--line-rate BPS]] [--usb DIR [--usb-name NAME]]
                    [--mixers N] [--model CODE] [--address A.B.C.D] [--user-id ID]
                    [--deny-write] [--log-writes] [--drop P] [--corrupt P] [--delay MS]
                    [--stuck MIXER:KEY=VALUE]... [--seed N]
                    [--search-port PORT [--reply-port PORT]]
Prints one line starting with &quot;ready&quot; naming its endpoints once it listens.
</translation>
        </message>
        <message>
            <source>cannot set up signal handling</source>
            <comment>9731</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>cannot set up signal handling</translation>
        </message>
        <message>
            <source>choose one link only</source>
            <comment>9740</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>choose one link only</translation>
        </message>
        <message>
            <source>--ethernet wants HOST[:PORT]</source>
            <comment>9741</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--ethernet wants HOST[:PORT]</translation>
        </message>
        <message>
            <source>--serial wants a device</source>
            <comment>9742</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--serial wants a device</translation>
        </message>
        <message>
            <source>unknown option &quot;%1&quot;</source>
            <comment>9743</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>unknown option &quot;%1&quot;</translation>
        </message>
        <message>
            <source>no command given</source>
            <comment>9744</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>no command given</translation>
        </message>
        <message>
            <source>choose a link: --ethernet, --serial or --usb</source>
            <comment>9745</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>choose a link: --ethernet, --serial or --usb</translation>
        </message>
        <message>
            <source>status: unknown argument &quot;%1&quot;</source>
            <comment>9746</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>status: unknown argument &quot;%1&quot;</translation>
        </message>
        <message>
            <source>Master</source>
            <comment>9747</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>Master</translation>
        </message>
        <message>
            <source>Slave%1</source>
            <comment>9748</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>Slave%1</translation>
        </message>
        <message>
            <source>save wants FILE</source>
            <comment>9760</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>save wants FILE</translation>
        </message>
        <message>
            <source>load wants FILE, or --dry-run [--json] FILE</source>
            <comment>9761</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load wants FILE, or --dry-run [--json] FILE</translation>
        </message>
        <message>
            <source>save: %1 could not be written</source>
            <comment>9762</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>save: %1 could not be written</translation>
        </message>
        <message>
            <source>%1: %2 does not exist</source>
            <comment>9763</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 does not exist</translation>
        </message>
        <message>
            <source>%1: %2 cannot be read: %3</source>
            <comment>9764</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 cannot be read: %3</translation>
        </message>
        <message>
            <source>%1: %2 is no settings file: line %3 is malformed, unknown or holds a value out of range; nothing was sent</source>
            <comment>9765</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is no settings file: line %3 is malformed, unknown or holds a value out of range; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2: MixerCount &quot;%3&quot; is not 0..16; nothing was sent</source>
            <comment>9766</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2: MixerCount &quot;%3&quot; is not 0..16; nothing was sent</translation>
        </message>
        <message>
            <source>load: %1 was not loaded</source>
            <comment>9767</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load: %1 was not loaded</translation>
        </message>
        <message>
            <source>%1: %2 is too large for a settings file</source>
            <comment>9768</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is too large for a settings file</translation>
        </message>
        <message>
            <source>exit status: 0 done, 1 no mixer answered (or a value did not take), 2 usage error</source>
            <comment>9769</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>exit status: 0 done, 1 no mixer answered (or a value did not take), 2 usage error</translation>
        </message>
        <message>
            <source>ip wants get or set</source>
            <comment>9770</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>ip wants get or set</translation>
        </message>
        <message>
            <source>ip get takes no arguments</source>
            <comment>9771</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>ip get takes no arguments</translation>
        </message>
        <message>
            <source>ip set wants ADDRESS USERID [--dhcp on|off]</source>
            <comment>9772</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>ip set wants ADDRESS USERID [--dhcp on|off]</translation>
        </message>
        <message>
            <source>--dhcp wants on or off</source>
            <comment>9773</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--dhcp wants on or off</translation>
        </message>
        <message>
            <source>&quot;%1&quot; is no IPv4 address of a mixer</source>
            <comment>9774</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>&quot;%1&quot; is no IPv4 address of a mixer</translation>
        </message>
        <message>
            <source>a user ID has 1 to 20 characters, each A-Z, a-z or 0-9</source>
            <comment>9775</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>a user ID has 1 to 20 characters, each A-Z, a-z or 0-9</translation>
        </message>
        <message>
            <source>peek wants ADDRESS [SIZE]</source>
            <comment>9776</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>peek wants ADDRESS [SIZE]</translation>
        </message>
        <message>
            <source>poke wants ADDRESS DATA [SIZE]</source>
            <comment>9777</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>poke wants ADDRESS DATA [SIZE]</translation>
        </message>
        <message>
            <source>SIZE is 1, 2 or 4</source>
            <comment>9778</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>SIZE is 1, 2 or 4</translation>
        </message>
        <message>
            <source>%1 &quot;%2&quot; is not a hexadecimal number of up to 8 digits</source>
            <comment>9779</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1 &quot;%2&quot; is not a hexadecimal number of up to 8 digits</translation>
        </message>
        <message>
            <source>search wants one USERID</source>
            <comment>9780</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>search wants one USERID</translation>
        </message>
        <message>
            <source>unknown command &quot;%1&quot;</source>
            <comment>9781</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>unknown command &quot;%1&quot;</translation>
        </message>
        <message>
            <source>次の文字は設定値ファイルに保存できません：%1</source>
            <comment>10100</comment>
            <translation>These characters cannot be stored in a settings file: %1</translation>
        </message>
        <message>
            <source>%1: mixer %2 %3 reads back %4, not %5</source>
            <comment>10101</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: mixer %2 %3 reads back %4, not %5</translation>
        </message>
        <message>
            <source>%1: mixer %2 %3 was not read back (%4 linked)</source>
            <comment>10102</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: mixer %2 %3 was not read back (%4 linked)</translation>
        </message>
        <message>
            <source>--timeout wants a number of seconds above 0 (at most 86400)</source>
            <comment>10103</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--timeout wants a number of seconds above 0 (at most 86400)</translation>
        </message>
        <message>
            <source>All OK</source>
            <comment>10200</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>All OK</translation>
        </message>
        <message>
            <source> オンリー</source>
            <comment>10201</comment>
            <extracomment>Follows e.g. &quot;1ch&quot;: the option allowing one channel at a time.</extracomment>
            <translation> only</translation>
        </message>
        <message>
            <source>ch1-Link</source>
            <comment>10202</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ch1-Link</translation>
        </message>
        <message>
            <source>Mixer-Link</source>
            <comment>10203</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>Mixer-Link</translation>
        </message>
        <message>
            <source>Link-On</source>
            <comment>10204</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>Link-On</translation>
        </message>
        <message>
            <source>Link-Off</source>
            <comment>10205</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>Link-Off</translation>
        </message>
        <message>
            <source>-Link</source>
            <comment>10206</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>-Link</translation>
        </message>
        <message>
            <source>全ﾁｬﾝﾈﾙ</source>
            <comment>10207</comment>
            <translation>All ch</translation>
        </message>
        <message>
            <source>設定メニューの表示</source>
            <comment>10208</comment>
            <translation>Show settings</translation>
        </message>
        <message>
            <source>の設定メニューを表示します</source>
            <comment>10209</comment>
            <extracomment>Follows &quot;Extended data&quot; or &quot;Initial values&quot;.</extracomment>
            <translation>: these settings will be shown.</translation>
        </message>
        <message>
            <source>通常は設定を変更しないでください</source>
            <comment>10210</comment>
            <translation>Normally, do not change them.</translation>
        </message>
        <message>
            <source>秒</source>
            <comment>10211</comment>
            <translation>s</translation>
        </message>
        <message>
            <source>算出減衰量</source>
            <comment>10212</comment>
            <translation>Calculated attenuation</translation>
        </message>
        <message>
            <source>-96.0</source>
            <comment>10213</comment>
            <extracomment>Kept as is: a number shown before the first reading.</extracomment>
            <translation>-96.0</translation>
        </message>
        <message>
            <source>dB</source>
            <comment>10214</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>dB</translation>
        </message>
        <message>
            <source>(初期値)</source>
            <comment>10215</comment>
            <extracomment>Follows a label of the initial-values tab.</extracomment>
            <translation>(initial)</translation>
        </message>
        <message>
            <source>スレッショルド                設定単位</source>
            <comment>10216</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Threshold      applies to</translation>
        </message>
        <message>
            <source>オートマチック動作</source>
            <comment>10217</comment>
            <translation>Automatic mode</translation>
        </message>
        <message>
            <source>ラストオン</source>
            <comment>10218</comment>
            <translation>Last on</translation>
        </message>
        <message>
            <source>同時選択許可            チャンネル数</source>
            <comment>10219</comment>
            <extracomment>Two or more spaces in a row start a new line in the editor window (the parameter grid shows one line).</extracomment>
            <translation>Channels      at once</translation>
        </message>
        <message>
            <source>ﾎﾞﾀﾝ(&amp;B)</source>
            <comment>10300</comment>
            <translation>&amp;Button</translation>
        </message>
        <message>
            <source>ボタン新規作成(&amp;N)</source>
            <comment>10301</comment>
            <translation>&amp;New Button</translation>
        </message>
        <message>
            <source>実行(&amp;E)</source>
            <comment>10302</comment>
            <translation>&amp;Run</translation>
        </message>
        <message>
            <source>停止(&amp;S)</source>
            <comment>10303</comment>
            <translation>&amp;Stop</translation>
        </message>
        <message>
            <source>ボタンテーブル(&amp;T)</source>
            <comment>10304</comment>
            <translation>Button &amp;Table</translation>
        </message>
        <message>
            <source>設定クリア(&amp;C)</source>
            <comment>10305</comment>
            <translation>&amp;Clear Settings</translation>
        </message>
        <message>
            <source>背景設定(&amp;W)</source>
            <comment>10306</comment>
            <translation>Bac&amp;kground</translation>
        </message>
        <message>
            <source>背景画像設定(&amp;I)</source>
            <comment>10307</comment>
            <translation>Background &amp;Image...</translation>
        </message>
        <message>
            <source>背景色設定(&amp;B)</source>
            <comment>10308</comment>
            <translation>&amp;Background Colour...</translation>
        </message>
        <message>
            <source>グリッド(&amp;G)</source>
            <comment>10309</comment>
            <translation>&amp;Grid</translation>
        </message>
        <message>
            <source>グリッドプロパティ(&amp;P)</source>
            <comment>10310</comment>
            <translation>Grid &amp;Properties...</translation>
        </message>
        <message>
            <source>サークル描画(&amp;C)</source>
            <comment>10311</comment>
            <translation>Draw &amp;Circle</translation>
        </message>
        <message>
            <source>矩形描画(&amp;R)</source>
            <comment>10312</comment>
            <translation>Draw &amp;Rectangle</translation>
        </message>
        <message>
            <source>直線描画(&amp;L)</source>
            <comment>10313</comment>
            <translation>Draw &amp;Line</translation>
        </message>
        <message>
            <source>円弧描画(&amp;A)</source>
            <comment>10314</comment>
            <translation>Draw &amp;Arc</translation>
        </message>
        <message>
            <source>図形全消去(&amp;D)</source>
            <comment>10315</comment>
            <translation>&amp;Delete All Figures</translation>
        </message>
        <message>
            <source>ボタンの新規作成</source>
            <comment>10320</comment>
            <translation>New button</translation>
        </message>
        <message>
            <source>実行</source>
            <comment>10321</comment>
            <translation>Run</translation>
        </message>
        <message>
            <source>停止</source>
            <comment>10322</comment>
            <translation>Stop</translation>
        </message>
        <message>
            <source>ボタンテーブルの表示</source>
            <comment>10323</comment>
            <translation>Show the button table</translation>
        </message>
        <message>
            <source>背景画像の設定</source>
            <comment>10324</comment>
            <translation>Background image</translation>
        </message>
        <message>
            <source>背景色の設定</source>
            <comment>10325</comment>
            <translation>Background colour</translation>
        </message>
        <message>
            <source>グリッドの表示／非表示</source>
            <comment>10326</comment>
            <translation>Show or hide the grid</translation>
        </message>
        <message>
            <source>グリッドのプロパティ</source>
            <comment>10327</comment>
            <translation>Grid properties</translation>
        </message>
        <message>
            <source>サークルの描画</source>
            <comment>10328</comment>
            <translation>Draw a circle</translation>
        </message>
        <message>
            <source>矩形の描画</source>
            <comment>10329</comment>
            <translation>Draw a rectangle</translation>
        </message>
        <message>
            <source>直線の描画</source>
            <comment>10330</comment>
            <translation>Draw a line</translation>
        </message>
        <message>
            <source>円弧の描画</source>
            <comment>10331</comment>
            <translation>Draw an arc</translation>
        </message>
        <message>
            <source>図形の全消去</source>
            <comment>10332</comment>
            <translation>Delete all figures</translation>
        </message>
        <message>
            <source>[実行]</source>
            <comment>10340</comment>
            <translation>[Running]</translation>
        </message>
        <message>
            <source>編集</source>
            <comment>10341</comment>
            <translation>Edit</translation>
        </message>
        <message>
            <source>出力設定</source>
            <comment>10342</comment>
            <translation>Output</translation>
        </message>
        <message>
            <source>リンク台数が減少しました</source>
            <comment>10343</comment>
            <translation>Fewer mixers are linked now.</translation>
        </message>
        <message>
            <source>ミキサー番号が選択されていません</source>
            <comment>10344</comment>
            <translation>No mixer is selected</translation>
        </message>
        <message>
            <source>チャンネルが選択されていません</source>
            <comment>10345</comment>
            <translation>No channel is selected</translation>
        </message>
        <message>
            <source>名称</source>
            <comment>10346</comment>
            <translation>Caption</translation>
        </message>
        <message>
            <source>フォント</source>
            <comment>10347</comment>
            <translation>Font</translation>
        </message>
        <message>
            <source>背景色</source>
            <comment>10348</comment>
            <extracomment>Follows &quot;ON&quot; or &quot;OFF&quot; on a button, or stands alone for an output button.</extracomment>
            <translation>Colour</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <comment>10349</comment>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>削除</source>
            <comment>10350</comment>
            <translation>Delete</translation>
        </message>
        <message>
            <source>反映</source>
            <comment>10351</comment>
            <translation>Apply</translation>
        </message>
        <message>
            <source>ch %1</source>
            <comment>10352</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>ch %1</translation>
        </message>
        <message>
            <source>&amp;H80000012</source>
            <comment>10360</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H80000012</translation>
        </message>
        <message>
            <source>&amp;H8000000D</source>
            <comment>10361</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000D</translation>
        </message>
        <message>
            <source>&amp;H8000000E</source>
            <comment>10362</comment>
            <extracomment>Kept as is: an appearance constant (a font name or a colour) the windows read.</extracomment>
            <translation>&amp;H8000000E</translation>
        </message>
        <message>
            <source>設定ダイアログ(&amp;S)</source>
            <comment>10400</comment>
            <translation>&amp;Settings Dialog...</translation>
        </message>
        <message>
            <source>出力</source>
            <comment>10401</comment>
            <translation>Output</translation>
        </message>
        <message>
            <source>     削除(&amp;D)</source>
            <comment>10500</comment>
            <translation>     &amp;Delete</translation>
        </message>
        <message>
            <source>     順序(&amp;O)</source>
            <comment>10501</comment>
            <translation>     &amp;Order</translation>
        </message>
        <message>
            <source>     プロパティ(&amp;P)</source>
            <comment>10502</comment>
            <translation>     &amp;Properties...</translation>
        </message>
        <message>
            <source> 最前面へ移動(&amp;F)</source>
            <comment>10503</comment>
            <translation> Bring to &amp;Front</translation>
        </message>
        <message>
            <source> 最背面へ移動(&amp;B)</source>
            <comment>10504</comment>
            <translation> Send to &amp;Back</translation>
        </message>
        <message>
            <source>図形プロパティ</source>
            <comment>10505</comment>
            <translation>Figure Properties</translation>
        </message>
        <message>
            <source>色</source>
            <comment>10506</comment>
            <translation>Colour</translation>
        </message>
        <message>
            <source>線の太さ</source>
            <comment>10507</comment>
            <translation>Line width</translation>
        </message>
        <message>
            <source>線種</source>
            <comment>10508</comment>
            <translation>Line style</translation>
        </message>
        <message>
            <source>図形を全消去します</source>
            <comment>10509</comment>
            <translation>All figures will be deleted.</translation>
        </message>
        <message>
            <source>よろしいですか？</source>
            <comment>10510</comment>
            <translation>Are you sure?</translation>
        </message>
        <message>
            <source>グリッドプロパティ</source>
            <comment>10511</comment>
            <translation>Grid Properties</translation>
        </message>
        <message>
            <source>グリッド間隔</source>
            <comment>10512</comment>
            <translation>Grid spacing</translation>
        </message>
        <message>
            <source>グリッドの色</source>
            <comment>10513</comment>
            <translation>Grid colour</translation>
        </message>
        <message>
            <source>選択...</source>
            <comment>10514</comment>
            <translation>Choose...</translation>
        </message>
        <message>
            <source>背景画像設定</source>
            <comment>10515</comment>
            <translation>Background Image</translation>
        </message>
        <message>
            <source>背景画像を表示する</source>
            <comment>10516</comment>
            <translation>Show a background image</translation>
        </message>
        <message>
            <source>参照</source>
            <comment>10517</comment>
            <translation>Browse...</translation>
        </message>
        <message>
            <source>拡大・縮小</source>
            <comment>10518</comment>
            <translation>Scaling</translation>
        </message>
        <message>
            <source>×</source>
            <comment>10519</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>×</translation>
        </message>
        <message>
            <source>Pixcel</source>
            <comment>10520</comment>
            <translation>pixels</translation>
        </message>
        <message>
            <source>%</source>
            <comment>10521</comment>
            <extracomment>Kept as is: a name, unit or level already written the way the mixer and its manuals write it.</extracomment>
            <translation>%</translation>
        </message>
        <message>
            <source>拡大・縮小しない</source>
            <comment>10522</comment>
            <translation>Original size</translation>
        </message>
        <message>
            <source>ウインドウサイズに合わせる</source>
            <comment>10523</comment>
            <translation>Fit to window</translation>
        </message>
        <message>
            <source>サイズを指定</source>
            <comment>10524</comment>
            <translation>Size</translation>
        </message>
        <message>
            <source>倍率を指定</source>
            <comment>10525</comment>
            <translation>Scale</translation>
        </message>
        <message>
            <source>画像ファイル(*.bmp;*.gif;*.jpg;*.jpeg)|*.bmp;*.gif;*.jpg;*.jpeg|BMPファイル(*.bmp)|*.bmp|GIFファイル(*.gif)|*.gif|JPEGファイル(*.jpg;*.jpeg)|*.jpg;*.jpeg|全てのファイル(*.*)|*.*</source>
            <comment>10526</comment>
            <extracomment>Description|pattern pairs of the file dialog: translate the descriptions only.</extracomment>
            <translation>Image files(*.bmp;*.gif;*.jpg;*.jpeg)|*.bmp;*.gif;*.jpg;*.jpeg|BMP files(*.bmp)|*.bmp|GIF files(*.gif)|*.gif|JPEG files(*.jpg;*.jpeg)|*.jpg;*.jpeg|All files(*.*)|*.*</translation>
        </message>
        <message>
            <source>背景画像を選択してください</source>
            <comment>10527</comment>
            <translation>Choose a background image</translation>
        </message>
        <message>
            <source>ボタンテーブル</source>
            <comment>10528</comment>
            <translation>Button Table</translation>
        </message>
        <message>
            <source>更新(&amp;U)</source>
            <comment>10529</comment>
            <translation>&amp;Update</translation>
        </message>
        <message>
            <source>ミキサー番号 チャンネル</source>
            <comment>10530</comment>
            <translation>Mixer  Channel</translation>
        </message>
        <message>
            <source>更新が行われていません。ウィンドウを閉じますか？</source>
            <comment>10532</comment>
            <translation>The changes have not been applied. Close the window?</translation>
        </message>
        <message>
            <source>背景画像を読み込めません：%1</source>
            <comment>10533</comment>
            <translation>Cannot read the background image: %1</translation>
        </message>
        <message>
            <source>ファイルを転送中です。</source>
            <comment>10650</comment>
            <translation>Transferring the file.</translation>
        </message>
        <message>
            <source>しばらくお待ち下さい。</source>
            <comment>10651</comment>
            <translation>Please wait.</translation>
        </message>
        <message>
            <source>ﾌｧｰﾑｳｪｱ(*.bin)|*.bin|全てのファイル(*.*)|*.*</source>
            <comment>10652</comment>
            <translation>Firmware (*.bin)|*.bin|All files (*.*)|*.*</translation>
        </message>
        <message>
            <source>FPGAﾃﾞｰﾀ(*.rbf)|*.rbf|全てのファイル(*.*)|*.*</source>
            <comment>10653</comment>
            <translation>FPGA data (*.rbf)|*.rbf|All files (*.*)|*.*</translation>
        </message>
        <message>
            <source>ダウンロードするファイルを選択して下さい。</source>
            <comment>10654</comment>
            <translation>Choose the file to download.</translation>
        </message>
        <message>
            <source>ミキサーの電源を再投入して下さい。</source>
            <comment>10655</comment>
            <translation>Switch the mixer off and on again.</translation>
        </message>
        <message>
            <source>不正なファイルです。</source>
            <comment>10656</comment>
            <translation>This is not a valid file.</translation>
        </message>
        <message>
            <source>ファイルが大きすぎます（%1バイト）。一度に転送できるのは%2バイトまでです。</source>
            <comment>10657</comment>
            <translation>The file is too large (%1 bytes). At most %2 bytes can be transferred at once.</translation>
        </message>
        <message>
            <source>ファイルを読み込めませんでした。
%1</source>
            <comment>10658</comment>
            <translation>The file could not be read.
%1</translation>
        </message>
        <message>
            <source>--line-rate wants bits per second, 300 to 921600</source>
            <comment>10660</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--line-rate wants bits per second, 300 to 921600</translation>
        </message>
        <message>
            <source>firmware R %1</source>
            <comment>10661</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>firmware R %1</translation>
        </message>
        <message>
            <source>firmware L %1 %2 bytes sum %3</source>
            <comment>10662</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>firmware L %1 %2 bytes sum %3</translation>
        </message>
        <message>
            <source>firmware wants KIND FILE</source>
            <comment>10670</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>firmware wants KIND FILE</translation>
        </message>
        <message>
            <source>KIND is 1 (main program), 2 (FPGA data), 3 (writer program) or 4 (ZK-VR340a model file)</source>
            <comment>10671</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>KIND is 1 (main program), 2 (FPGA data), 3 (writer program) or 4 (ZK-VR340a model file)</translation>
        </message>
        <message>
            <source>firmware: %1 does not exist</source>
            <comment>10672</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>firmware: %1 does not exist</translation>
        </message>
        <message>
            <source>firmware: %1: %2</source>
            <comment>10673</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>firmware: %1: %2</translation>
        </message>
        <message>
            <source>Press Enter once the mixer is on again. </source>
            <comment>10674</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>Press Enter once the mixer is on again. </translation>
        </message>
        <message>
            <source>%1 %2%  %3/%4 bytes</source>
            <comment>10675</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1 %2%  %3/%4 bytes</translation>
        </message>
        <message>
            <source>%1%2</source>
            <comment>10700</comment>
            <extracomment>Two words of one caption, e.g. &quot;ON&quot; and &quot;Background colour&quot;: Japanese writes them together.</extracomment>
            <translation>%1 %2</translation>
        </message>
        <message>
            <source>%1行目</source>
            <comment>10701</comment>
            <extracomment>Column header of the button table: the n-th line of the buttons' captions.</extracomment>
            <translation>Line %1</translation>
        </message>
        <message>
            <source>--noise wants a probability 0..1</source>
            <comment>10750</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--noise wants a probability 0..1</translation>
        </message>
        <message>
            <source>--cut-after wants a number of requests, at least 1</source>
            <comment>10751</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--cut-after wants a number of requests, at least 1</translation>
        </message>
        <message>
            <source>%1 に接続しています</source>
            <comment>10752</comment>
            <translation>Connected to %1</translation>
        </message>
        <message>
            <source>%1 との接続が切れました</source>
            <comment>10753</comment>
            <translation>The connection to %1 was lost</translation>
        </message>
        <message>
            <source>%1 との接続が切れました。再接続しています（%2 回目）</source>
            <comment>10754</comment>
            <translation>The connection to %1 was lost. Reconnecting (attempt %2)</translation>
        </message>
        <message>
            <source>Ethernet の接続が切れました。
ミキサーと通信するには、プログラムを起動し直してください。
（ファイルメニューの「接続が切れたら再接続」で、自動で再接続するようにできます。）</source>
            <comment>10755</comment>
            <translation>The Ethernet connection was lost.
To talk to the mixers again, start the program again.
(With &quot;Reconnect when the connection is lost&quot; in the File menu the program reconnects by itself.)</translation>
        </message>
        <message>
            <source>接続が切れたら再接続(&amp;C)</source>
            <comment>10756</comment>
            <translation>Re&amp;connect when the connection is lost</translation>
        </message>
        <message>
            <source>%1 に再接続しました（%2）</source>
            <comment>10757</comment>
            <translation>Reconnected to %1 (%2)</translation>
        </message>
        <message>
            <source>NAME
    zkvr340a-sim - a chain of virtual ZK-VR340a mixers

SYNOPSIS
    zkvr340a-sim [--tcp [HOST:]PORT] [--serial [--line-rate BPS]] [--usb DIR [--usb-name NAME]]
                 [--search-port [HOST:]PORT [--reply-port PORT]] [--mixers N]
                 [--model CODE] [--address A.B.C.D] [--user-id ID] [--deny-write]
                 [--log-writes] [--drop P] [--corrupt P] [--delay MS] [--stuck MIXER:KEY=VALUE]...
                 [--seed N]
    zkvr340a-sim --help

DESCRIPTION
    Answers the mixer protocol the way linked ZK-VR340a mixers do (a master and up
    to 15 slaves), on the links the program speaks: TCP, a pseudo-terminal that
    carries the serial block protocol, a FIFO pair laid out like a USB device for
    the Linux devbridge, and the UDP mixer search. At least one endpoint is needed.
    Once every endpoint listens it prints one line starting with &quot;ready&quot; that
    names them, for example
        ready tcp=127.0.0.1:40123 serial=/dev/pts/5 mixers=3
    SIGTERM or SIGINT ends it; the FIFOs are removed.

OPTIONS
    --tcp [HOST:]PORT   listen for the command connection on HOST (default
                        127.0.0.1, loopback only) and PORT; 0 lets the system choose
    --serial            create a pseudo-terminal; the program opens its slave path
    --line-rate BPS     pace the pseudo-terminal like a serial line of BPS bits per
                        second (300 to 921600; ten bits a byte), both directions
    --usb DIR           create DIR/vr340a-0/PIPE00 (requests) and PIPE01 (replies)
    --usb-name NAME     the device folder's name instead of vr340a-0
    --search-port [HOST:]PORT
                        answer the UDP mixer search on loopback
    --reply-port PORT   send search replies to PORT instead of the sender's port
    --mixers N          linked mixers, 1 to 16 (default 1)
    --model CODE        the model code MN answers (default 1; 0 the older model)
    --address A.B.C.D   the mixer's IP address in its network settings
                        (default 192.168.100.200)
    --user-id ID        the user ID the search matches (default administrator)
    --deny-write        refuse DS, TS and IS with status 3 (no write access)
    --log-writes        print a line for each request that changes something
                        (DS, TS, ES, IS, IP, AW) as it arrives: &quot;write DS 02 2B 28&quot;
    --drop P            lose each reply with probability P, 0 to 1
    --corrupt P         flip one byte of each serial block with probability P
    --delay MS          hold every reply back MS milliseconds
    --stuck MIXER:KEY=VALUE
                        that value reads back as VALUE whatever is written;
                        KEY as in the settings file (InputGain_3, Threshold ...);
                        may be repeated
    --seed N            seed of the drop and corrupt draws
    -h, --help          show this text and exit

EXIT STATUS
    0   ended by SIGTERM or SIGINT, or --help
    1   an endpoint could not be set up
    2   usage error (the reason and a short usage on stderr)

EXAMPLES
    Three linked mixers on TCP and a pseudo-terminal:
        zkvr340a-sim --tcp 127.0.0.1:1001 --serial --mixers 3
    A mixer that loses one reply in ten and is found by the search as &quot;hall&quot;:
        zkvr340a-sim --tcp 0 --drop 0.1 --search-port 1001 --user-id hall
    A USB device for devbridge (DEVBRIDGE_DEVICE_ROOT=/tmp/zkdev):
        zkvr340a-sim --usb /tmp/zkdev
</source>
            <comment>10800</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>NAME
    zkvr340a-sim - a chain of virtual ZK-VR340a mixers

SYNOPSIS
    zkvr340a-sim [--tcp [HOST:]PORT] [--serial [--line-rate BPS]] [--usb DIR [--usb-name NAME]]
                 [--search-port [HOST:]PORT [--reply-port PORT]] [--mixers N]
                 [--model CODE] [--address A.B.C.D] [--user-id ID] [--deny-write]
                 [--log-writes] [--drop P] [--corrupt P] [--delay MS] [--stuck MIXER:KEY=VALUE]...
                 [--seed N]
    zkvr340a-sim --help

DESCRIPTION
    Answers the mixer protocol the way linked ZK-VR340a mixers do (a master and up
    to 15 slaves), on the links the program speaks: TCP, a pseudo-terminal that
    carries the serial block protocol, a FIFO pair laid out like a USB device for
    the Linux devbridge, and the UDP mixer search. At least one endpoint is needed.
    Once every endpoint listens it prints one line starting with &quot;ready&quot; that
    names them, for example
        ready tcp=127.0.0.1:40123 serial=/dev/pts/5 mixers=3
    SIGTERM or SIGINT ends it; the FIFOs are removed.

OPTIONS
    --tcp [HOST:]PORT   listen for the command connection on HOST (default
                        127.0.0.1, loopback only) and PORT; 0 lets the system choose
    --serial            create a pseudo-terminal; the program opens its slave path
    --line-rate BPS     pace the pseudo-terminal like a serial line of BPS bits per
                        second (300 to 921600; ten bits a byte), both directions
    --usb DIR           create DIR/vr340a-0/PIPE00 (requests) and PIPE01 (replies)
    --usb-name NAME     the device folder's name instead of vr340a-0
    --search-port [HOST:]PORT
                        answer the UDP mixer search on loopback
    --reply-port PORT   send search replies to PORT instead of the sender's port
    --mixers N          linked mixers, 1 to 16 (default 1)
    --model CODE        the model code MN answers (default 1; 0 the older model)
    --address A.B.C.D   the mixer's IP address in its network settings
                        (default 192.168.100.200)
    --user-id ID        the user ID the search matches (default administrator)
    --deny-write        refuse DS, TS and IS with status 3 (no write access)
    --log-writes        print a line for each request that changes something
                        (DS, TS, ES, IS, IP, AW) as it arrives: &quot;write DS 02 2B 28&quot;
    --drop P            lose each reply with probability P, 0 to 1
    --corrupt P         flip one byte of each serial block with probability P
    --delay MS          hold every reply back MS milliseconds
    --stuck MIXER:KEY=VALUE
                        that value reads back as VALUE whatever is written;
                        KEY as in the settings file (InputGain_3, Threshold ...);
                        may be repeated
    --seed N            seed of the drop and corrupt draws
    -h, --help          show this text and exit

EXIT STATUS
    0   ended by SIGTERM or SIGINT, or --help
    1   an endpoint could not be set up
    2   usage error (the reason and a short usage on stderr)

EXAMPLES
    Three linked mixers on TCP and a pseudo-terminal:
        zkvr340a-sim --tcp 127.0.0.1:1001 --serial --mixers 3
    A mixer that loses one reply in ten and is found by the search as &quot;hall&quot;:
        zkvr340a-sim --tcp 0 --drop 0.1 --search-port 1001 --user-id hall
    A USB device for devbridge (DEVBRIDGE_DEVICE_ROOT=/tmp/zkdev):
        zkvr340a-sim --usb /tmp/zkdev
</translation>
        </message>
        <message>
            <source>NAME
    zkvr340a-ctl - read and write ZK-VR340a mixers from a shell

SYNOPSIS
    zkvr340a-ctl (--ethernet HOST[:PORT] | --serial DEVICE | --usb) COMMAND [ARGS]
    zkvr340a-ctl search USERID
    zkvr340a-ctl --help

DESCRIPTION
    Talks to the linked mixers over one link, as the program does: every value
    it writes is read back and verified. The link options may stand before or
    after the command; search needs none.

    status prints every value of every linked mixer; get and set read and write
    single values; save and load move a whole system between the mixers and a
    settings file; ip reads or writes the mixer's network settings; peek and poke
    read and write mixer memory (hexadecimal); search prints the address of the
    one mixer on the network that owns a user ID.

COMMANDS
</source>
            <comment>10801</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>NAME
    zkvr340a-ctl - read and write ZK-VR340a mixers from a shell

SYNOPSIS
    zkvr340a-ctl (--ethernet HOST[:PORT] | --serial DEVICE | --usb) COMMAND [ARGS]
    zkvr340a-ctl search USERID
    zkvr340a-ctl --help

DESCRIPTION
    Talks to the linked mixers over one link, as the program does: every value
    it writes is read back and verified. The link options may stand before or
    after the command; search needs none.

    status prints every value of every linked mixer; get and set read and write
    single values; save and load move a whole system between the mixers and a
    settings file; ip reads or writes the mixer's network settings; peek and poke
    read and write mixer memory (hexadecimal); search prints the address of the
    one mixer on the network that owns a user ID.

COMMANDS
</translation>
        </message>
        <message>
            <source>
OPTIONS
    --ethernet HOST[:PORT]
                connect to the mixer's command port (1001 unless PORT is given)
    --serial DEVICE
                the serial port, such as /dev/ttyUSB0 or a /dev/serial/by-id
                name (the user needs the dialout group)
    --usb       go through devbridge (the one beside the tool wins over the
                installed one; DEVBRIDGE_DEVICE_ROOT names the device folder)
    --verbose   print on stderr, as they happen, the activity log's entries: each
                write with its mixer, key, value and outcome, the link's state,
                file loads and saves, the access check and a download
    -h, --help  show this text and exit

ENVIRONMENT
    ZKVR340A_SEARCH_ADDRESS, ZKVR340A_SEARCH_PORT, ZKVR340A_SEARCH_REPLY_PORT
                where search sends its request (default 255.255.255.255 and the
                broadcast address of every network interface, port 1001) and
                where it listens for replies (1002)

EXIT STATUS
    0   done
    1   no mixer answered, the link could not be opened, a write was refused or
        did not take, or a settings file could not be read or written (the
        reason on stderr)
    2   usage error (the reason and the usage on stderr)
    diff ends with 0 when nothing differs, 1 when something does, 2 on any error

EXAMPLES
    All values of every linked mixer, as JSON:
        zkvr340a-ctl --ethernet 192.168.100.200 status --json
    Input gain of channel 3 of the master to 12, verified:
        zkvr340a-ctl --serial /dev/ttyUSB0 set 1 InputGain_3=40
    Find the mixer whose user ID is hall, then save its whole system:
        zkvr340a-ctl search hall
        zkvr340a-ctl --ethernet &quot;$(zkvr340a-ctl search hall)&quot; save hall.ini
    What loading hall.ini would change, value by value, sending nothing:
        zkvr340a-ctl --ethernet 192.168.100.200 diff hall.ini
</source>
            <comment>10802</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>
OPTIONS
    --ethernet HOST[:PORT]
                connect to the mixer's command port (1001 unless PORT is given)
    --serial DEVICE
                the serial port, such as /dev/ttyUSB0 or a /dev/serial/by-id
                name (the user needs the dialout group)
    --usb       go through devbridge (the one beside the tool wins over the
                installed one; DEVBRIDGE_DEVICE_ROOT names the device folder)
    --verbose   print on stderr, as they happen, the activity log's entries: each
                write with its mixer, key, value and outcome, the link's state,
                file loads and saves, the access check and a download
    -h, --help  show this text and exit

ENVIRONMENT
    ZKVR340A_SEARCH_ADDRESS, ZKVR340A_SEARCH_PORT, ZKVR340A_SEARCH_REPLY_PORT
                where search sends its request (default 255.255.255.255 and the
                broadcast address of every network interface, port 1001) and
                where it listens for replies (1002)

EXIT STATUS
    0   done
    1   no mixer answered, the link could not be opened, a write was refused or
        did not take, or a settings file could not be read or written (the
        reason on stderr)
    2   usage error (the reason and the usage on stderr)
    diff ends with 0 when nothing differs, 1 when something does, 2 on any error

EXAMPLES
    All values of every linked mixer, as JSON:
        zkvr340a-ctl --ethernet 192.168.100.200 status --json
    Input gain of channel 3 of the master to 12, verified:
        zkvr340a-ctl --serial /dev/ttyUSB0 set 1 InputGain_3=40
    Find the mixer whose user ID is hall, then save its whole system:
        zkvr340a-ctl search hall
        zkvr340a-ctl --ethernet &quot;$(zkvr340a-ctl search hall)&quot; save hall.ini
    What loading hall.ini would change, value by value, sending nothing:
        zkvr340a-ctl --ethernet 192.168.100.200 diff hall.ini
</translation>
        </message>
        <message>
            <source>ファイルの中に範囲外の値がありました。範囲内の値に直して読み込みました。</source>
            <comment>11100</comment>
            <translation>The file held values out of range. They were brought into range as the file was read.</translation>
        </message>
        <message>
            <source>ファイルが空です。</source>
            <comment>11200</comment>
            <translation>The file is empty.</translation>
        </message>
        <message>
            <source>ZK-VR340a のモデルファイルです。ZK-VR340 用のファイルとしては送信できません。</source>
            <comment>11201</comment>
            <translation>This is a ZK-VR340a model file. It cannot be sent as a file for the ZK-VR340.</translation>
        </message>
        <message>
            <source>接続しているミキサーは ZK-VR340a です。
ZK-VR340 用のファイルを送信しますか？</source>
            <comment>11202</comment>
            <translation>The attached mixer is a ZK-VR340a.
Send a file for the ZK-VR340?</translation>
        </message>
        <message>
            <source>接続しているミキサーは ZK-VR340 です。
ZK-VR340a 用のモデルファイルを送信しますか？</source>
            <comment>11203</comment>
            <translation>The attached mixer is a ZK-VR340.
Send a model file for the ZK-VR340a?</translation>
        </message>
        <message>
            <source>ダウンロードが完了しました。</source>
            <comment>11204</comment>
            <translation>The download is complete.</translation>
        </message>
        <message>
            <source>%1の準備をミキサーに指示しています。</source>
            <comment>11205</comment>
            <translation>Telling the mixer to prepare for the %1.</translation>
        </message>
        <message>
            <source>%1を送信しています。</source>
            <comment>11206</comment>
            <translation>Sending the %1.</translation>
        </message>
        <message>
            <source>%1を送信しました。ミキサーの応答を待っています（%2秒／最大%3秒）。</source>
            <comment>11207</comment>
            <translation>The %1 has been sent. Waiting for the mixer's answer (%2 s of at most %3 s).</translation>
        </message>
        <message>
            <source>ミキサーが再起動しています（あと%1秒）。</source>
            <comment>11208</comment>
            <translation>The mixer is restarting (%1 s left).</translation>
        </message>
        <message>
            <source>メインプログラム</source>
            <comment>11210</comment>
            <translation>main program</translation>
        </message>
        <message>
            <source>FPGAデータ</source>
            <comment>11211</comment>
            <translation>FPGA data</translation>
        </message>
        <message>
            <source>書き込みプログラム</source>
            <comment>11212</comment>
            <translation>writer program</translation>
        </message>
        <message>
            <source>セクションP</source>
            <comment>11213</comment>
            <translation>section P</translation>
        </message>
        <message>
            <source>セクションD</source>
            <comment>11214</comment>
            <translation>section D</translation>
        </message>
        <message>
            <source>Eステップ</source>
            <comment>11215</comment>
            <translation>E step</translation>
        </message>
        <message>
            <source>Sステップ</source>
            <comment>11216</comment>
            <translation>S step</translation>
        </message>
        <message>
            <source>転送の進み具合</source>
            <comment>11217</comment>
            <translation>Transfer progress</translation>
        </message>
        <message>
            <source>ダウンロードの状態</source>
            <comment>11218</comment>
            <translation>Download state</translation>
        </message>
        <message>
            <source>firmware: over USB the mixer must be switched off and on once it has taken R; run this on a terminal, or give --power-cycled when the script sees to it (the tool then waits up to --timeout seconds for the device to go and come back)</source>
            <comment>11220</comment>
            <translation>firmware: over USB the mixer must be switched off and on once it has taken R; run this on a terminal, or give --power-cycled when the script sees to it (the tool then waits up to --timeout seconds for the device to go and come back)</translation>
        </message>
        <message>
            <source>firmware: the mixer was not switched off and on within %1 s; nothing more was sent</source>
            <comment>11221</comment>
            <translation>firmware: the mixer was not switched off and on within %1 s; nothing more was sent</translation>
        </message>
        <message>
            <source>Send it anyway? [y/N] </source>
            <comment>11222</comment>
            <translation>Send it anyway? [y/N] </translation>
        </message>
        <message>
            <source>firmware: give --any-model to send it anyway</source>
            <comment>11223</comment>
            <translation>firmware: give --any-model to send it anyway</translation>
        </message>
        <message>
            <source>Waiting up to %1 s for the mixer to be switched off and on...</source>
            <comment>11224</comment>
            <translation>Waiting up to %1 s for the mixer to be switched off and on...</translation>
        </message>
        <message>
            <source>firmware does not know the option %1</source>
            <comment>11225</comment>
            <translation>firmware does not know the option %1</translation>
        </message>
        <message>
            <source>%1 refused, status %2</source>
            <comment>11230</comment>
            <translation>%1 refused, status %2</translation>
        </message>
        <message>
            <source>power off</source>
            <comment>11231</comment>
            <translation>power off</translation>
        </message>
        <message>
            <source>power on</source>
            <comment>11232</comment>
            <translation>power on</translation>
        </message>
        <message>
            <source>
FIRMWARE DOWNLOAD
    R for a target of the mixer's family (model 0: M, F, W; the newer model:
    M, P, D and the final S) puts the mixer in download mode, where it answers R
    and L only. L takes data for the target the last R prepared (the E step of
    the newer model for any), never an empty image; the older model goes back to
    work once its image is in, the newer one restarts after S and answers nothing
    for --restart-ms. Anything else is refused with status 1 (an empty image
    with 2). Each firmware command prints a line (&quot;firmware R 4D&quot;,
    &quot;firmware L 4D 16384 bytes sum 5A&quot;, &quot;... refused, status 1&quot;).
    Over USB a mixer put in download mode takes its data only after it was
    switched off and on: SIGUSR1 does that (the device is gone for half a
    second; &quot;power off&quot; and &quot;power on&quot; are printed).
    --restart-ms MS     how long the newer model is away after S (default 3000);
                        TCP connections made before are reset
</source>
            <comment>11233</comment>
            <translation>
FIRMWARE DOWNLOAD
    R for a target of the mixer's family (model 0: M, F, W; the newer model:
    M, P, D and the final S) puts the mixer in download mode, where it answers R
    and L only. L takes data for the target the last R prepared (the E step of
    the newer model for any), never an empty image; the older model goes back to
    work once its image is in, the newer one restarts after S and answers nothing
    for --restart-ms. Anything else is refused with status 1 (an empty image
    with 2). Each firmware command prints a line (&quot;firmware R 4D&quot;,
    &quot;firmware L 4D 16384 bytes sum 5A&quot;, &quot;... refused, status 1&quot;).
    Over USB a mixer put in download mode takes its data only after it was
    switched off and on: SIGUSR1 does that (the device is gone for half a
    second; &quot;power off&quot; and &quot;power on&quot; are printed).
    --restart-ms MS     how long the newer model is away after S (default 3000);
                        TCP connections made before are reset
</translation>
        </message>
        <message>
            <source>--restart-ms wants milliseconds</source>
            <comment>11234</comment>
            <translation>--restart-ms wants milliseconds</translation>
        </message>
        <message>
            <source>%1: the mixer refuses writes from this PC; nothing was written</source>
            <comment>11300</comment>
            <translation>%1: the mixer refuses writes from this PC; nothing was written</translation>
        </message>
        <message>
            <source>IPアドレス %1 はミキサーに設定できません（DHCPクライアント OFF）。
%2</source>
            <comment>11301</comment>
            <translation>The IP address %1 cannot be given to the mixer (DHCP client OFF).
%2</translation>
        </message>
        <message>
            <source>0 で始まるアドレスは「このネットワーク」を表し、機器には割り当てられません。</source>
            <comment>11302</comment>
            <translation>An address starting with 0 stands for &quot;this network&quot; and is never given to a device.</translation>
        </message>
        <message>
            <source>127 で始まるアドレスはループバックアドレスで、PC自身を指します。</source>
            <comment>11303</comment>
            <translation>An address starting with 127 is a loopback address: it points to the PC itself.</translation>
        </message>
        <message>
            <source>224 から 239 で始まるアドレスはマルチキャストアドレスで、機器には割り当てられません。</source>
            <comment>11304</comment>
            <translation>An address starting with 224 to 239 is a multicast address and is never given to a device.</translation>
        </message>
        <message>
            <source>240 以上で始まるアドレスは予約済みで、機器には割り当てられません。</source>
            <comment>11305</comment>
            <translation>An address starting with 240 or above is reserved and is never given to a device.</translation>
        </message>
        <message>
            <source>ネットワーク %1 そのものを表すアドレスです。</source>
            <comment>11306</comment>
            <translation>It is the address of the network %1 itself.</translation>
        </message>
        <message>
            <source>ネットワーク %1 のブロードキャストアドレスです。</source>
            <comment>11307</comment>
            <translation>It is the broadcast address of the network %1.</translation>
        </message>
        <message>
            <source>ip set: %1 cannot be the mixer's address while its DHCP client is off: %2</source>
            <comment>11308</comment>
            <translation>ip set: %1 cannot be the mixer's address while its DHCP client is off: %2</translation>
        </message>
        <message>
            <source>ボタンの配置</source>
            <comment>12000</comment>
            <translation>Place button</translation>
        </message>
        <message>
            <source>ボタンの移動</source>
            <comment>12001</comment>
            <translation>Move buttons</translation>
        </message>
        <message>
            <source>キーによる移動</source>
            <comment>12002</comment>
            <translation>Move by keys</translation>
        </message>
        <message>
            <source>ボタンのサイズ変更</source>
            <comment>12003</comment>
            <translation>Resize button</translation>
        </message>
        <message>
            <source>ボタンの削除</source>
            <comment>12004</comment>
            <translation>Delete button</translation>
        </message>
        <message>
            <source>ボタンのプロパティ変更</source>
            <comment>12005</comment>
            <translation>Change button properties</translation>
        </message>
        <message>
            <source>全ボタンへの反映</source>
            <comment>12006</comment>
            <translation>Apply to all buttons</translation>
        </message>
        <message>
            <source>図形の描画</source>
            <comment>12007</comment>
            <translation>Draw figure</translation>
        </message>
        <message>
            <source>図形の移動</source>
            <comment>12008</comment>
            <translation>Move figure</translation>
        </message>
        <message>
            <source>図形のサイズ変更</source>
            <comment>12009</comment>
            <translation>Resize figure</translation>
        </message>
        <message>
            <source>図形の順序変更</source>
            <comment>12010</comment>
            <translation>Change figure order</translation>
        </message>
        <message>
            <source>図形のプロパティ変更</source>
            <comment>12011</comment>
            <translation>Change figure properties</translation>
        </message>
        <message>
            <source>図形の削除</source>
            <comment>12012</comment>
            <translation>Delete figure</translation>
        </message>
        <message>
            <source>図形の全消去</source>
            <comment>12013</comment>
            <translation>Delete all figures</translation>
        </message>
        <message>
            <source>グリッドの表示切替</source>
            <comment>12014</comment>
            <translation>Show/hide grid</translation>
        </message>
        <message>
            <source>グリッドプロパティの変更</source>
            <comment>12015</comment>
            <translation>Change grid properties</translation>
        </message>
        <message>
            <source>背景色の変更</source>
            <comment>12016</comment>
            <translation>Change background colour</translation>
        </message>
        <message>
            <source>背景画像の変更</source>
            <comment>12017</comment>
            <translation>Change background image</translation>
        </message>
        <message>
            <source>ボタン名称の更新</source>
            <comment>12018</comment>
            <translation>Update button names</translation>
        </message>
        <message>
            <source>貼り付け</source>
            <comment>12019</comment>
            <translation>Paste</translation>
        </message>
        <message>
            <source>切り取り</source>
            <comment>12020</comment>
            <translation>Cut</translation>
        </message>
        <message>
            <source>複製</source>
            <comment>12021</comment>
            <translation>Duplicate</translation>
        </message>
        <message>
            <source>整列</source>
            <comment>12022</comment>
            <translation>Align</translation>
        </message>
        <message>
            <source>等間隔に配置</source>
            <comment>12023</comment>
            <translation>Distribute</translation>
        </message>
        <message>
            <source>サイズを揃える</source>
            <comment>12024</comment>
            <translation>Make same size</translation>
        </message>
        <message>
            <source>編集(&amp;E)</source>
            <comment>12030</comment>
            <translation>&amp;Edit</translation>
        </message>
        <message>
            <source>元に戻す</source>
            <comment>12031</comment>
            <translation>Undo</translation>
        </message>
        <message>
            <source>やり直し</source>
            <comment>12032</comment>
            <translation>Redo</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <comment>12033</comment>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>切り取り(&amp;T)</source>
            <comment>12034</comment>
            <translation>Cu&amp;t</translation>
        </message>
        <message>
            <source>コピー(&amp;C)</source>
            <comment>12035</comment>
            <translation>&amp;Copy</translation>
        </message>
        <message>
            <source>貼り付け(&amp;P)</source>
            <comment>12036</comment>
            <translation>&amp;Paste</translation>
        </message>
        <message>
            <source>複製(&amp;D)</source>
            <comment>12037</comment>
            <translation>&amp;Duplicate</translation>
        </message>
        <message>
            <source>すべて選択(&amp;A)</source>
            <comment>12038</comment>
            <translation>Select &amp;all</translation>
        </message>
        <message>
            <source>選択解除</source>
            <comment>12039</comment>
            <translation>Deselect</translation>
        </message>
        <message>
            <source>グリッドに合わせる(&amp;G)</source>
            <comment>12040</comment>
            <translation>Snap to &amp;grid</translation>
        </message>
        <message>
            <source>整列(&amp;L)</source>
            <comment>12041</comment>
            <translation>A&amp;lign</translation>
        </message>
        <message>
            <source>左揃え</source>
            <comment>12042</comment>
            <translation>Align left</translation>
        </message>
        <message>
            <source>右揃え</source>
            <comment>12043</comment>
            <translation>Align right</translation>
        </message>
        <message>
            <source>上揃え</source>
            <comment>12044</comment>
            <translation>Align top</translation>
        </message>
        <message>
            <source>下揃え</source>
            <comment>12045</comment>
            <translation>Align bottom</translation>
        </message>
        <message>
            <source>左右中央揃え</source>
            <comment>12046</comment>
            <translation>Centre horizontally</translation>
        </message>
        <message>
            <source>上下中央揃え</source>
            <comment>12047</comment>
            <translation>Centre vertically</translation>
        </message>
        <message>
            <source>左右に等間隔に配置</source>
            <comment>12048</comment>
            <translation>Distribute horizontally</translation>
        </message>
        <message>
            <source>上下に等間隔に配置</source>
            <comment>12049</comment>
            <translation>Distribute vertically</translation>
        </message>
        <message>
            <source>幅を揃える</source>
            <comment>12050</comment>
            <translation>Same width</translation>
        </message>
        <message>
            <source>高さを揃える</source>
            <comment>12051</comment>
            <translation>Same height</translation>
        </message>
        <message>
            <source>サイズを揃える</source>
            <comment>12052</comment>
            <translation>Same size</translation>
        </message>
        <message>
            <source>整列ツールバー</source>
            <comment>12053</comment>
            <translation>Alignment toolbar</translation>
        </message>
        <message>
            <source>ここに貼り付け(&amp;P)</source>
            <comment>12054</comment>
            <translation>&amp;Paste here</translation>
        </message>
        <message>
            <source>空いているチャンネルがないため、貼り付けられなかったボタンがあります（%1 個）。</source>
            <comment>12055</comment>
            <translation>Some buttons were not pasted because their mixer has no free channel (%1).</translation>
        </message>
        <message>
            <source>図形の数が上限（種類ごとに 10 個）に達したため、貼り付けられなかった図形があります（%1 個）。</source>
            <comment>12056</comment>
            <translation>Some figures were not pasted because their kind already holds 10 figures (%1).</translation>
        </message>
        <message>
            <source>前回、保存されずに終わったコントロールパネルの編集内容が残っています（%1 に記録）。
復元しますか？</source>
            <comment>12060</comment>
            <translation>Changes to the control panel that were never saved were left behind (written %1).
Restore them?</translation>
        </message>
        <message>
            <source>操作ロックのパスフレーズ設定(&amp;K)...</source>
            <comment>12100</comment>
            <translation>Operator lock &amp;passphrase...</translation>
        </message>
        <message>
            <source>操作をロック(&amp;L)</source>
            <comment>12101</comment>
            <translation>&amp;Lock operation</translation>
        </message>
        <message>
            <source>操作ロック</source>
            <comment>12102</comment>
            <translation>Operator lock</translation>
        </message>
        <message>
            <source>操作はロックされています。パスフレーズを入力してください。</source>
            <comment>12103</comment>
            <translation>Operation is locked. Enter the passphrase.</translation>
        </message>
        <message>
            <source>パスフレーズが違います。</source>
            <comment>12104</comment>
            <translation>The passphrase is not correct.</translation>
        </message>
        <message>
            <source>現在のパスフレーズを入力してください。</source>
            <comment>12105</comment>
            <translation>Enter the current passphrase.</translation>
        </message>
        <message>
            <source>新しいパスフレーズを入力してください。
空のまま OK を押すとパスフレーズを削除し、ロックできなくなります。</source>
            <comment>12106</comment>
            <translation>Enter the new passphrase.
Press OK with the entry empty to remove the passphrase; the panel can then not be locked.</translation>
        </message>
        <message>
            <source>確認のため、新しいパスフレーズをもう一度入力してください。</source>
            <comment>12107</comment>
            <translation>Enter the new passphrase once more to confirm it.</translation>
        </message>
        <message>
            <source>入力された 2 つのパスフレーズが一致しません。パスフレーズは変更されていません。</source>
            <comment>12108</comment>
            <translation>The two passphrases entered differ. The passphrase has not been changed.</translation>
        </message>
        <message>
            <source>パスフレーズを設定しました。「操作をロック」または --operate で起動すると、実行状態から離れる操作にパスフレーズが必要になります。</source>
            <comment>12109</comment>
            <translation>The passphrase is set. After &quot;Lock operation&quot;, or when started with --operate, leaving the execution state needs the passphrase.</translation>
        </message>
        <message>
            <source>パスフレーズを削除しました。操作はロックされません。</source>
            <comment>12110</comment>
            <translation>The passphrase was removed. Operation is not locked.</translation>
        </message>
        <message>
            <source>操作ロックのパスフレーズが設定されていません。ロックせずに実行状態で開始します。
パスフレーズは「ファイル」メニューの「操作ロックのパスフレーズ設定」で設定できます。</source>
            <comment>12111</comment>
            <translation>No operator lock passphrase is set. The panel starts in the execution state without a lock.
Set one with &quot;Operator lock passphrase&quot; in the File menu.</translation>
        </message>
        <message>
            <source>[ロック中]</source>
            <comment>12112</comment>
            <translation>[locked]</translation>
        </message>
        <message>
            <source>操作ロックのパスフレーズ確認</source>
            <comment>12113</comment>
            <translation>Operator lock passphrase check</translation>
        </message>
        <message>
            <source>設定ファイル「%1」を読み込めませんでした。コントロールパネルは空のまま実行状態で開始します。</source>
            <comment>12114</comment>
            <translation>The settings file &quot;%1&quot; could not be read. The control panel starts empty in the execution state.</translation>
        </message>
        <message>
            <source>操作はロックされています（停止・終了などにはパスフレーズが必要です）</source>
            <comment>12115</comment>
            <translation>Operation is locked (stopping, quitting and the like need the passphrase)</translation>
        </message>
        <message>
            <source>--operate needs a settings file</source>
            <comment>12120</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--operate needs a settings file</translation>
        </message>
        <message>
            <source>--link wants ethernet, rs232c or usb, got &quot;%1&quot;</source>
            <comment>12121</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--link wants ethernet, rs232c or usb, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>%1 goes with --operate only</source>
            <comment>12122</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1 goes with --operate only</translation>
        </message>
        <message>
            <source>--link does not go with --virtual: the virtual mixers are the link</source>
            <comment>12123</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>--link does not go with --virtual: the virtual mixers are the link</translation>
        </message>
        <message>
            <source>the settings file &quot;%1&quot; cannot be read</source>
            <comment>12124</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>the settings file &quot;%1&quot; cannot be read</translation>
        </message>
        <message>
            <source>書き込み</source>
            <comment>12200</comment>
            <translation>Write</translation>
        </message>
        <message>
            <source>リンク</source>
            <comment>12201</comment>
            <translation>Link</translation>
        </message>
        <message>
            <source>読み込み</source>
            <comment>12202</comment>
            <translation>Load</translation>
        </message>
        <message>
            <source>保存</source>
            <comment>12203</comment>
            <translation>Save</translation>
        </message>
        <message>
            <source>ダウンロード</source>
            <comment>12204</comment>
            <translation>Download</translation>
        </message>
        <message>
            <source>アクセス確認</source>
            <comment>12205</comment>
            <translation>Access check</translation>
        </message>
        <message>
            <source>確認済み</source>
            <comment>12211</comment>
            <translation>Verified</translation>
        </message>
        <message>
            <source>失敗</source>
            <comment>12212</comment>
            <translation>Failed</translation>
        </message>
        <message>
            <source>完了</source>
            <comment>12213</comment>
            <translation>Done</translation>
        </message>
        <message>
            <source>拒否</source>
            <comment>12214</comment>
            <translation>Refused</translation>
        </message>
        <message>
            <source>%1 パス</source>
            <comment>12215</comment>
            <translation>passes: %1</translation>
        </message>
        <message>
            <source>通信ログ</source>
            <comment>12220</comment>
            <translation>Activity</translation>
        </message>
        <message>
            <source>通信ログ(&amp;L)</source>
            <comment>12221</comment>
            <translation>&amp;Activity</translation>
        </message>
        <message>
            <source>ミキサー(&amp;M):</source>
            <comment>12222</comment>
            <translation>&amp;Mixer:</translation>
        </message>
        <message>
            <source>すべて</source>
            <comment>12223</comment>
            <translation>All</translation>
        </message>
        <message>
            <source>種類(&amp;K):</source>
            <comment>12224</comment>
            <translation>&amp;Kind:</translation>
        </message>
        <message>
            <source>CSV で保存(&amp;S)...</source>
            <comment>12225</comment>
            <translation>&amp;Save as CSV...</translation>
        </message>
        <message>
            <source>時刻</source>
            <comment>12226</comment>
            <translation>Time</translation>
        </message>
        <message>
            <source>種類</source>
            <comment>12227</comment>
            <translation>Kind</translation>
        </message>
        <message>
            <source>ミキサー</source>
            <comment>12228</comment>
            <translation>Mixer</translation>
        </message>
        <message>
            <source>項目</source>
            <comment>12229</comment>
            <translation>Key</translation>
        </message>
        <message>
            <source>値</source>
            <comment>12230</comment>
            <translation>Value</translation>
        </message>
        <message>
            <source>結果</source>
            <comment>12231</comment>
            <translation>Outcome</translation>
        </message>
        <message>
            <source>内容</source>
            <comment>12232</comment>
            <translation>Detail</translation>
        </message>
        <message>
            <source>CSV ファイル (*.csv)</source>
            <comment>12233</comment>
            <translation>CSV files (*.csv)</translation>
        </message>
        <message>
            <source>通信ログを保存できませんでした</source>
            <comment>12234</comment>
            <translation>The activity log could not be saved</translation>
        </message>
        <message>
            <source>%1 件（最大 %2 件）</source>
            <comment>12235</comment>
            <translation>Entries: %1 (at most %2)</translation>
        </message>
        <message>
            <source>通信ログの一覧</source>
            <comment>12236</comment>
            <translation>Activity entries</translation>
        </message>
        <message>
            <source>ミキサーの表示(&amp;M)</source>
            <comment>12237</comment>
            <translation>&amp;Mixers</translation>
        </message>
        <message>
            <source>送信待ち: %1 = %2（%3 から）</source>
            <comment>12240</comment>
            <translation>Waiting to be sent: %1 = %2 (since %3)</translation>
        </message>
        <message>
            <source>確認済み: %1 = %2（%3、%4 パス）</source>
            <comment>12241</comment>
            <translation>Verified: %1 = %2 (%3, passes: %4)</translation>
        </message>
        <message>
            <source>失敗: %1 = %2 はミキサーに設定できませんでした（%3、%4 パス）。もう一度書き込むか、ミキサーの値を取り込むまでこの印は残ります。</source>
            <comment>12242</comment>
            <translation>Failed: %1 = %2 could not be set in the mixer (%3, passes: %4). The mark stays until the value is written again and verified, or the mixer's value is taken.</translation>
        </message>
        <message>
            <source>送信待ち</source>
            <comment>12250</comment>
            <translation>Waiting to be sent</translation>
        </message>
        <message>
            <source>リモート操作</source>
            <comment>12400</comment>
            <translation>Remote operation</translation>
        </message>
        <message>
            <source>リモート操作を有効にする(&amp;E)</source>
            <comment>12401</comment>
            <translation>&amp;Enable remote operation</translation>
        </message>
        <message>
            <source>アドレス(&amp;A):</source>
            <comment>12402</comment>
            <translation>&amp;Address:</translation>
        </message>
        <message>
            <source>ポート(&amp;P):</source>
            <comment>12403</comment>
            <translation>&amp;Port:</translation>
        </message>
        <message>
            <source>操作用トークン:</source>
            <comment>12404</comment>
            <translation>Operate token:</translation>
        </message>
        <message>
            <source>閲覧用トークン:</source>
            <comment>12405</comment>
            <translation>Watch token:</translation>
        </message>
        <message>
            <source>トークンを更新(&amp;R)</source>
            <comment>12406</comment>
            <translation>&amp;Renew tokens</translation>
        </message>
        <message>
            <source>証明書ファイル (HTTPS)(&amp;C):</source>
            <comment>12407</comment>
            <translation>&amp;Certificate file (HTTPS):</translation>
        </message>
        <message>
            <source>秘密鍵ファイル (HTTPS)(&amp;K):</source>
            <comment>12408</comment>
            <translation>Private &amp;key file (HTTPS):</translation>
        </message>
        <message>
            <source>タブレットで開くアドレス (操作用):</source>
            <comment>12409</comment>
            <translation>Address to open on a tablet (operate):</translation>
        </message>
        <message>
            <source>トークンファイル %1 を読めません。</source>
            <comment>12410</comment>
            <translation>Cannot read the token file %1.</translation>
        </message>
        <message>
            <source>トークンファイル %1 は所有者以外も読めるため使いません。chmod 600 で所有者だけが読めるようにしてください。</source>
            <comment>12411</comment>
            <translation>The token file %1 is not used because others than its owner can read it. Make it readable by its owner only with chmod 600.</translation>
        </message>
        <message>
            <source>トークンファイル %1 の1行目に操作用、2行目に閲覧用のトークンが必要です。</source>
            <comment>12412</comment>
            <translation>The token file %1 needs the operate token on its first line and the watch token on its second.</translation>
        </message>
        <message>
            <source>アドレス %1 は使えません。</source>
            <comment>12413</comment>
            <translation>The address %1 cannot be used.</translation>
        </message>
        <message>
            <source>HTTPS の証明書または秘密鍵を読めません。</source>
            <comment>12414</comment>
            <translation>Cannot read the HTTPS certificate or private key.</translation>
        </message>
        <message>
            <source>%1 のポート %2 で待ち受けできません。</source>
            <comment>12415</comment>
            <translation>Cannot listen on port %2 of %1.</translation>
        </message>
        <message>
            <source>リモート操作は停止しています。</source>
            <comment>12416</comment>
            <translation>Remote operation is stopped.</translation>
        </message>
        <message>
            <source>参照...</source>
            <comment>12417</comment>
            <translation>Browse...</translation>
        </message>
        <message>
            <source>閉じる</source>
            <comment>12418</comment>
            <translation>Close</translation>
        </message>
        <message>
            <source>--remote には アドレス:ポート を指定してください (例: 0.0.0.0:8340)。</source>
            <comment>12419</comment>
            <translation>--remote needs ADDRESS:PORT (for example 0.0.0.0:8340).</translation>
        </message>
        <message>
            <source>ZK-VR340a リモート操作</source>
            <comment>12420</comment>
            <translation>ZK-VR340a remote operation</translation>
        </message>
        <message>
            <source>パネルが実行状態ではないため、表示のみです。</source>
            <comment>12421</comment>
            <translation>Read only: the panel is not in its execution state.</translation>
        </message>
        <message>
            <source>ミキサーと接続中</source>
            <comment>12422</comment>
            <translation>Connected to the mixers</translation>
        </message>
        <message>
            <source>ミキサーと接続されていません</source>
            <comment>12423</comment>
            <translation>Not connected to the mixers</translation>
        </message>
        <message>
            <source>送信中</source>
            <comment>12424</comment>
            <translation>Sending</translation>
        </message>
        <message>
            <source>確認済み</source>
            <comment>12425</comment>
            <translation>Verified</translation>
        </message>
        <message>
            <source>失敗</source>
            <comment>12426</comment>
            <translation>Failed</translation>
        </message>
        <message>
            <source>再接続しています…</source>
            <comment>12427</comment>
            <translation>Reconnecting…</translation>
        </message>
        <message>
            <source>ON</source>
            <comment>12428</comment>
            <translation>ON</translation>
        </message>
        <message>
            <source>OFF</source>
            <comment>12429</comment>
            <translation>OFF</translation>
        </message>
        <message>
            <source>パネルがありません</source>
            <comment>12430</comment>
            <translation>No panel</translation>
        </message>
        <message>
            <source>無効なリンクです</source>
            <comment>12431</comment>
            <translation>This link is not valid</translation>
        </message>
        <message>
            <source>ミキサー %1 台</source>
            <comment>12432</comment>
            <translation>Mixers: %1</translation>
        </message>
        <message>
            <source>閲覧用アドレス:</source>
            <comment>12433</comment>
            <translation>Address to open (watch only):</translation>
        </message>
        <message>
            <source>リモート操作サーバーを起動できません。
%1</source>
            <comment>12434</comment>
            <translation>Remote operation could not start.
%1</translation>
        </message>
        <message>
            <source>--remote と --remote-tokens は一緒に指定してください。</source>
            <comment>12435</comment>
            <translation>--remote and --remote-tokens go together.</translation>
        </message>
        <message>
            <source>適用(&amp;Y)</source>
            <comment>12436</comment>
            <translation>Appl&amp;y</translation>
        </message>
        <message>
            <source>操作用アドレスのQRコード</source>
            <comment>12437</comment>
            <translation>QR code of the operate address</translation>
        </message>
        <message>
            <source>接続中の端末: %1 台</source>
            <comment>12438</comment>
            <translation>Connected clients: %1</translation>
        </message>
        <message>
            <source>トークンを更新すると、接続中の端末は切断されます。更新しますか？</source>
            <comment>12439</comment>
            <translation>Renewing the tokens disconnects every connected client. Renew them?</translation>
        </message>
        <message>
            <source>証明書ファイルを選択</source>
            <comment>12440</comment>
            <translation>Choose the certificate file</translation>
        </message>
        <message>
            <source>秘密鍵ファイルを選択</source>
            <comment>12441</comment>
            <translation>Choose the private key file</translation>
        </message>
        <message>
            <source>リモート操作(&amp;R)...</source>
            <comment>12442</comment>
            <translation>&amp;Remote operation...</translation>
        </message>
        <message>
            <source>リモート操作中: %1</source>
            <comment>12443</comment>
            <translation>Remote operation: %1</translation>
        </message>
        <message>
            <source>接続されているミキサーは %1 台、ファイルのミキサーは %2 台です。</source>
            <comment>12600</comment>
            <translation>Mixers linked: %1; in the file: %2.</translation>
        </message>
        <message>
            <source>%1 台目から先のファイルの値は送信されません。</source>
            <comment>12601</comment>
            <translation> The file's values from mixer %1 on are not sent.</translation>
        </message>
        <message>
            <source>%1 台目から先のミキサーはファイルになく、変わりません。</source>
            <comment>12602</comment>
            <translation> Mixers from %1 on are not in the file and stay as they are.</translation>
        </message>
        <message>
            <source>最初のファイルのミキサーは %1 台、次のファイルは %2 台です。</source>
            <comment>12603</comment>
            <translation>Mixers in the first file: %1; in the second: %2.</translation>
        </message>
        <message>
            <source>%1 台目から先は片方のファイルにしかなく、比べていません。</source>
            <comment>12604</comment>
            <translation> Mixers from %1 on are in one file only and were not compared.</translation>
        </message>
        <message>
            <source>仮想ミキサー (%1 台)</source>
            <comment>12610</comment>
            <translation>Virtual mixers (%1)</translation>
        </message>
        <message>
            <source>%1 - %2</source>
            <comment>12611</comment>
            <translation>%1 - %2</translation>
        </message>
        <message>
            <source>仮想ミキサー</source>
            <comment>12612</comment>
            <translation>Virtual mixers</translation>
        </message>
        <message>
            <source>仮想ミキサーの台数:</source>
            <comment>12613</comment>
            <translation>Virtual mixers:</translation>
        </message>
        <message>
            <source>仮想ミキサーを起動できませんでした。
%1</source>
            <comment>12614</comment>
            <translation>The virtual mixers could not be started.
%1</translation>
        </message>
        <message>
            <source>--virtual wants a number of mixers 1..16, got &quot;%1&quot;</source>
            <comment>12620</comment>
            <translation>--virtual wants a number of mixers 1..16, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--model wants a model code 0..255, got &quot;%1&quot;</source>
            <comment>12621</comment>
            <translation>--model wants a model code 0..255, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--model goes with --virtual only</source>
            <comment>12622</comment>
            <translation>--model goes with --virtual only</translation>
        </message>
        <message>
            <source>usage: zkvr340a [DEBUG]
       zkvr340a --virtual N [--model CODE] [DEBUG]
       zkvr340a --operate FILE [--link ethernet|rs232c|usb] [--fullscreen]
  --virtual N    run N virtual mixers (1..16) inside the program, reached on 127.0.0.1 only
  --model CODE   the model code they report (default 1; 0 is the older model)
  --operate FILE start in the control panel's execution state with FILE's panel, locked by the passphrase
  --link KIND    connect over that link without asking (with --operate)
  --fullscreen   show the panel on the whole screen (with --operate)
</source>
            <comment>12623</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>usage: zkvr340a [DEBUG]
       zkvr340a --virtual N [--model CODE] [DEBUG]
       zkvr340a --operate FILE [--link ethernet|rs232c|usb] [--fullscreen]
  --virtual N    run N virtual mixers (1..16) inside the program, reached on 127.0.0.1 only
  --model CODE   the model code they report (default 1; 0 is the older model)
  --operate FILE start in the control panel's execution state with FILE's panel, locked by the passphrase
  --link KIND    connect over that link without asking (with --operate)
  --fullscreen   show the panel on the whole screen (with --operate)
</translation>
        </message>
        <message>
            <source>diff wants FILE_A FILE_B, or FILE with a link option, and --json at most</source>
            <comment>12700</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>diff wants FILE_A FILE_B, or FILE with a link option, and --json at most</translation>
        </message>
        <message>
            <source>diff FILE compares the file with the linked mixers and needs a link option (--ethernet, --serial or --usb); two files need none</source>
            <comment>12701</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>diff FILE compares the file with the linked mixers and needs a link option (--ethernet, --serial or --usb); two files need none</translation>
        </message>
        <message>
            <source>from: the linked mixers (%1)</source>
            <comment>12702</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>from: the linked mixers (%1)</translation>
        </message>
        <message>
            <source>from: %1 (%2 mixers)</source>
            <comment>12703</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>from: %1 (%2 mixers)</translation>
        </message>
        <message>
            <source>to:   %1 (%2 mixers)</source>
            <comment>12704</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>to:   %1 (%2 mixers)</translation>
        </message>
        <message>
            <source>%1 (mixer %2): %3 differences%4</source>
            <comment>12705</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1 (mixer %2): %3 differences%4</translation>
        </message>
        <message>
            <source>total: %1 differences%2</source>
            <comment>12706</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>total: %1 differences%2</translation>
        </message>
        <message>
            <source>  %1  %2: %3 -&gt; %4  (%5)</source>
            <comment>12707</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>  %1  %2: %3 -&gt; %4  (%5)</translation>
        </message>
        <message>
            <source>no differences</source>
            <comment>12708</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>no differences</translation>
        </message>
        <message>
            <source>load --dry-run: nothing was sent; a load writes the file's values into mixers 1..%1 and the extension registers, and these are the values it changes:</source>
            <comment>12709</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load --dry-run: nothing was sent; a load writes the file's values into mixers 1..%1 and the extension registers, and these are the values it changes:</translation>
        </message>
        <message>
            <source>load: --json goes with --dry-run only</source>
            <comment>12711</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load: --json goes with --dry-run only</translation>
        </message>
        <message>
            <source>write %1 %2</source>
            <comment>12720</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>write %1 %2</translation>
        </message>
        <message>
            <source>送信する値の確認</source>
            <comment>12730</comment>
            <translation>Values to send</translation>
        </message>
        <message>
            <source>ファイルの値を送信すると、ミキサーの次の値が変わります。</source>
            <comment>12731</comment>
            <translation>Sending the file's values changes these values of the mixers.</translation>
        </message>
        <message>
            <source>変わる値: %1 件%2</source>
            <comment>12732</comment>
            <translation>Values that change: %1%2</translation>
        </message>
        <message>
            <source>%1 (%2 台目): %3 件%4</source>
            <comment>12733</comment>
            <translation>%1 (mixer %2): %3%4</translation>
        </message>
        <message>
            <source>変わる値はありません</source>
            <comment>12734</comment>
            <translation>no value changes</translation>
        </message>
        <message>
            <source>項目</source>
            <comment>12735</comment>
            <translation>Value</translation>
        </message>
        <message>
            <source>ミキサーの値</source>
            <comment>12736</comment>
            <translation>Mixer's value</translation>
        </message>
        <message>
            <source>ファイルの値</source>
            <comment>12737</comment>
            <translation>File's value</translation>
        </message>
        <message>
            <source>種類</source>
            <comment>12738</comment>
            <translation>Kind</translation>
        </message>
        <message>
            <source>送信(&amp;S)</source>
            <comment>12739</comment>
            <translation>&amp;Send</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <comment>12740</comment>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>ファイルの値はミキサーの値と同じです。送信するものはありません。</source>
            <comment>12741</comment>
            <translation>The file's values are the same as the mixers'. There is nothing to send.</translation>
        </message>
        <message>
            <source>変わる値の一覧</source>
            <comment>12742</comment>
            <translation>Values that change</translation>
        </message>
        <message>
            <source>コード</source>
            <comment>13800</comment>
            <translation>Code</translation>
        </message>
        <message>
            <source>コントロールパネル</source>
            <comment>13801</comment>
            <translation>Control panel</translation>
        </message>
        <message>
            <source>%1: %2 is no settings file: line %3: %4=%5 is outside %6..%7, the values the editor can set (--raw takes what the mixer can hold); nothing was sent</source>
            <comment>13000</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is no settings file: line %3: %4=%5 is outside %6..%7, the values the editor can set (--raw takes what the mixer can hold); nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 is no settings file: line %3: %4=%5 is outside %6..%7, the values the mixer can hold; nothing was sent</source>
            <comment>13001</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is no settings file: line %3: %4=%5 is outside %6..%7, the values the mixer can hold; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 is no settings file: [SystemData] holds no MixerCount (the file is empty or cut short); nothing was sent</source>
            <comment>13002</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is no settings file: [SystemData] holds no MixerCount (the file is empty or cut short); nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 is no settings file: MixerCount is %3 but [%4] is missing; nothing was sent</source>
            <comment>13003</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is no settings file: MixerCount is %3 but [%4] is missing; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 is no settings file: [%3] is cut short, %4 is missing; nothing was sent</source>
            <comment>13004</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is no settings file: [%3] is cut short, %4 is missing; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 is not a regular file (a device, pipe, socket or folder) and was not read</source>
            <comment>13005</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>%1: %2 is not a regular file (a device, pipe, socket or folder) and was not read</translation>
        </message>
        <message>
            <source>load: %1 holds %2 mixers and %3 are linked: the file's mixers %4 are not sent</source>
            <comment>13010</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load: %1 holds %2 mixers and %3 are linked: the file's mixers %4 are not sent</translation>
        </message>
        <message>
            <source>load: %1 holds %2 mixers and %3 are linked: mixers %4 keep the values they hold</source>
            <comment>13011</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load: %1 holds %2 mixers and %3 are linked: mixers %4 keep the values they hold</translation>
        </message>
        <message>
            <source>Load it all the same? [y/N] </source>
            <comment>13012</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>Load it all the same? [y/N] </translation>
        </message>
        <message>
            <source>load: give --yes to load it all the same; nothing was sent</source>
            <comment>13013</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load: give --yes to load it all the same; nothing was sent</translation>
        </message>
        <message>
            <source>load: the mixers did not take %1=%2 (register %3): the read-back did not confirm it, and nothing after it was sent</source>
            <comment>13014</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>load: the mixers did not take %1=%2 (register %3): the read-back did not confirm it, and nothing after it was sent</translation>
        </message>
        <message>
            <source>the mixers' values are the same; the control panels differ (%1 buttons, %2 figures)</source>
            <comment>13020</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>the mixers' values are the same; the control panels differ (%1 buttons, %2 figures)</translation>
        </message>
        <message>
            <source>the control panels differ as well (%1 buttons, %2 figures)</source>
            <comment>13021</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>the control panels differ as well (%1 buttons, %2 figures)</translation>
        </message>
        <message>
            <source>set: %1=%2 is outside %3..%4, the values the editor can set (--raw sends what the mixer can hold: %5..%6)</source>
            <comment>13030</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>set: %1=%2 is outside %3..%4, the values the editor can set (--raw sends what the mixer can hold: %5..%6)</translation>
        </message>
        <message>
            <source>set: %1=%2 is outside %3..%4, what the mixer can hold</source>
            <comment>13031</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>set: %1=%2 is outside %3..%4, what the mixer can hold</translation>
        </message>
        <message>
            <source>set: %1 is not sent on its own: each mixer keeps one priority switch, Priority_1, with OnlyType</source>
            <comment>13032</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>set: %1 is not sent on its own: each mixer keeps one priority switch, Priority_1, with OnlyType</translation>
        </message>
        <message>
            <source>ファイルがありません。</source>
            <comment>13101</comment>
            <translation>The file does not exist.</translation>
        </message>
        <message>
            <source>通常のファイルではありません（デバイス、パイプ、フォルダーなど）。</source>
            <comment>13102</comment>
            <translation>It is not a regular file (a device, a pipe, a folder or the like).</translation>
        </message>
        <message>
            <source>読み取れません：%1</source>
            <comment>13103</comment>
            <translation>It cannot be read: %1</translation>
        </message>
        <message>
            <source>設定値ファイルとしては大きすぎます。</source>
            <comment>13104</comment>
            <translation>It is too large for a settings file.</translation>
        </message>
        <message>
            <source>%1行目がCP932のテキストではありません。</source>
            <comment>13105</comment>
            <translation>Line %1 is not CP932 text.</translation>
        </message>
        <message>
            <source>%1行目を読み取れません（書式、名前、または値の種類が正しくありません）。</source>
            <comment>13106</comment>
            <translation>Line %1 cannot be read (its form, its name or the kind of its value is wrong).</translation>
        </message>
        <message>
            <source>%1行目：%2=%3 は設定できる範囲（%4～%5）の外です。</source>
            <comment>13107</comment>
            <translation>Line %1: %2=%3 is outside the range that can be set (%4 to %5).</translation>
        </message>
        <message>
            <source>[SystemData] に MixerCount がありません。空のファイルか、途中で切れたファイルです。</source>
            <comment>13108</comment>
            <translation>[SystemData] holds no MixerCount: the file is empty or was cut short.</translation>
        </message>
        <message>
            <source>MixerCount の値 %1 は 0～16 ではありません。</source>
            <comment>13109</comment>
            <translation>MixerCount %1 is not 0 to 16.</translation>
        </message>
        <message>
            <source>MixerCount は %1 ですが、[%2] がありません。</source>
            <comment>13110</comment>
            <translation>MixerCount is %1, but [%2] is missing.</translation>
        </message>
        <message>
            <source>[%1] が途中で切れています（%2 がありません）。</source>
            <comment>13111</comment>
            <translation>[%1] is cut short (%2 is missing).</translation>
        </message>
        <message>
            <source>設定値ファイル %1 を読み込めませんでした。
%2</source>
            <comment>13112</comment>
            <translation>The settings file %1 could not be loaded.
%2</translation>
        </message>
        <message>
            <source>%1 は通常のファイルではないため、保存しませんでした。</source>
            <comment>13113</comment>
            <translation>%1 is not a regular file; nothing was saved.</translation>
        </message>
    </context>
</TS>
