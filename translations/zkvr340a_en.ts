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
            <source>get には MIXER KEY を指定してください</source>
            <comment>9200</comment>
            <translation>get wants MIXER KEY</translation>
        </message>
        <message>
            <source>set には MIXER KEY=VALUE [KEY=VALUE ...] を指定してください</source>
            <comment>9201</comment>
            <translation>set wants MIXER KEY=VALUE [KEY=VALUE ...]</translation>
        </message>
        <message>
            <source>%1: MIXER は 1..16 です</source>
            <comment>9202</comment>
            <translation>%1: MIXER must be 1..16</translation>
        </message>
        <message>
            <source>%1: 「%2」はデータブロックのキーでも Threshold でもありません</source>
            <comment>9203</comment>
            <translation>%1: &quot;%2&quot; is no key of the data block or Threshold</translation>
        </message>
        <message>
            <source>set: 「%1」は KEY=VALUE の形ではありません</source>
            <comment>9204</comment>
            <translation>set: &quot;%1&quot; is not KEY=VALUE</translation>
        </message>
        <message>
            <source>set: %1 の値は 0..%2 です</source>
            <comment>9205</comment>
            <translation>set: value of %1 must be 0..%2</translation>
        </message>
        <message>
            <source>zkvr340a-ctl: %1: ミキサー %2 は接続されていません（接続台数 %3）</source>
            <comment>9206</comment>
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
                    [--stuck MIXER:KEY=VALUE]... [--set MIXER:KEY=VALUE]... [--seed N]
                    [--search-port PORT [--reply-port PORT]]
Prints one line starting with &quot;ready&quot; naming its endpoints once it listens.
</source>
            <comment>9730</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>usage: zkvr340a-sim [--tcp [HOST:]PORT] [--serial [--line-rate BPS]] [--usb DIR [--usb-name NAME]]
                    [--mixers N] [--model CODE] [--address A.B.C.D] [--user-id ID]
                    [--deny-write] [--log-writes] [--drop P] [--corrupt P] [--delay MS]
                    [--stuck MIXER:KEY=VALUE]... [--set MIXER:KEY=VALUE]... [--seed N]
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
            <source>接続は 1 つだけ指定してください</source>
            <comment>9740</comment>
            <translation>choose one link only</translation>
        </message>
        <message>
            <source>--ethernet には HOST[:PORT] を指定してください</source>
            <comment>9741</comment>
            <translation>--ethernet wants HOST[:PORT]</translation>
        </message>
        <message>
            <source>--serial にはデバイスを指定してください</source>
            <comment>9742</comment>
            <translation>--serial wants a device</translation>
        </message>
        <message>
            <source>不明なオプション「%1」</source>
            <comment>9743</comment>
            <translation>unknown option &quot;%1&quot;</translation>
        </message>
        <message>
            <source>コマンドが指定されていません</source>
            <comment>9744</comment>
            <translation>no command given</translation>
        </message>
        <message>
            <source>接続を指定してください: --ethernet, --serial または --usb</source>
            <comment>9745</comment>
            <translation>choose a link: --ethernet, --serial or --usb</translation>
        </message>
        <message>
            <source>status: 不明な引数「%1」</source>
            <comment>9746</comment>
            <translation>status: unknown argument &quot;%1&quot;</translation>
        </message>
        <message>
            <source>マスター</source>
            <comment>9747</comment>
            <translation>Master</translation>
        </message>
        <message>
            <source>スレーブ%1</source>
            <comment>9748</comment>
            <translation>Slave%1</translation>
        </message>
        <message>
            <source>save には FILE を指定してください</source>
            <comment>9760</comment>
            <translation>save wants FILE</translation>
        </message>
        <message>
            <source>load には FILE または --dry-run [--json] FILE を指定してください</source>
            <comment>9761</comment>
            <translation>load wants FILE, or --dry-run [--json] FILE</translation>
        </message>
        <message>
            <source>save: %1 を書き込めませんでした</source>
            <comment>9762</comment>
            <translation>save: %1 could not be written</translation>
        </message>
        <message>
            <source>%1: %2 がありません</source>
            <comment>9763</comment>
            <translation>%1: %2 does not exist</translation>
        </message>
        <message>
            <source>%1: %2 を読めません: %3</source>
            <comment>9764</comment>
            <translation>%1: %2 cannot be read: %3</translation>
        </message>
        <message>
            <source>%1: %2 は設定値ファイルではありません: %3 行目の形が正しくないか、不明なキーか、範囲外の値です。何も送信していません</source>
            <comment>9765</comment>
            <translation>%1: %2 is no settings file: line %3 is malformed, unknown or holds a value out of range; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2: MixerCount「%3」が 0..16 ではありません。何も送信していません</source>
            <comment>9766</comment>
            <translation>%1: %2: MixerCount &quot;%3&quot; is not 0..16; nothing was sent</translation>
        </message>
        <message>
            <source>load: %1 を読み込めませんでした</source>
            <comment>9767</comment>
            <translation>load: %1 was not loaded</translation>
        </message>
        <message>
            <source>%1: %2 は設定値ファイルとしては大きすぎます</source>
            <comment>9768</comment>
            <translation>%1: %2 is too large for a settings file</translation>
        </message>
        <message>
            <source>終了ステータス: 0 完了、1 ミキサーが応答しない（または値が反映されない）、2 使い方の誤り。diff は 0 同じ、1 違う、2 エラー</source>
            <comment>9769</comment>
            <translation>exit status: 0 done, 1 no mixer answered (or a value did not take), 2 usage error; diff: 0 same, 1 different, 2 error</translation>
        </message>
        <message>
            <source>ip には get または set を指定してください</source>
            <comment>9770</comment>
            <translation>ip wants get or set</translation>
        </message>
        <message>
            <source>ip get は引数をとりません</source>
            <comment>9771</comment>
            <translation>ip get takes no arguments</translation>
        </message>
        <message>
            <source>ip set には ADDRESS USERID [--dhcp on|off] を指定してください</source>
            <comment>9772</comment>
            <translation>ip set wants ADDRESS USERID [--dhcp on|off]</translation>
        </message>
        <message>
            <source>--dhcp には on または off を指定してください</source>
            <comment>9773</comment>
            <translation>--dhcp wants on or off</translation>
        </message>
        <message>
            <source>「%1」はミキサーの IPv4 アドレスではありません</source>
            <comment>9774</comment>
            <translation>&quot;%1&quot; is no IPv4 address of a mixer</translation>
        </message>
        <message>
            <source>ユーザーIDは A-Z, a-z, 0-9 の 1～20 文字です</source>
            <comment>9775</comment>
            <translation>a user ID has 1 to 20 characters, each A-Z, a-z or 0-9</translation>
        </message>
        <message>
            <source>peek には ADDRESS [SIZE] を指定してください</source>
            <comment>9776</comment>
            <translation>peek wants ADDRESS [SIZE]</translation>
        </message>
        <message>
            <source>poke には ADDRESS DATA [SIZE] を指定してください</source>
            <comment>9777</comment>
            <translation>poke wants ADDRESS DATA [SIZE]</translation>
        </message>
        <message>
            <source>SIZE は 1, 2 または 4 です</source>
            <comment>9778</comment>
            <translation>SIZE is 1, 2 or 4</translation>
        </message>
        <message>
            <source>%1「%2」は 8 桁までの 16 進数ではありません</source>
            <comment>9779</comment>
            <translation>%1 &quot;%2&quot; is not a hexadecimal number of up to 8 digits</translation>
        </message>
        <message>
            <source>search には USERID を 1 つ指定してください</source>
            <comment>9780</comment>
            <translation>search wants one USERID</translation>
        </message>
        <message>
            <source>不明なコマンド「%1」</source>
            <comment>9781</comment>
            <translation>unknown command &quot;%1&quot;</translation>
        </message>
        <message>
            <source>次の文字は設定値ファイルに保存できません：%1</source>
            <comment>10100</comment>
            <translation>These characters cannot be stored in a settings file: %1</translation>
        </message>
        <message>
            <source>%1: ミキサー %2 の %3 は %5 ではなく %4 と読み返されました</source>
            <comment>10101</comment>
            <translation>%1: mixer %2 %3 reads back %4, not %5</translation>
        </message>
        <message>
            <source>%1: ミキサー %2 の %3 を読み返せませんでした（接続台数 %4）</source>
            <comment>10102</comment>
            <translation>%1: mixer %2 %3 was not read back (%4 linked)</translation>
        </message>
        <message>
            <source>--timeout には 0 より大きい秒数（86400 まで）を指定してください</source>
            <comment>10103</comment>
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
            <source>firmware には KIND FILE を指定してください</source>
            <comment>10670</comment>
            <translation>firmware wants KIND FILE</translation>
        </message>
        <message>
            <source>KIND は 1（メインプログラム）、2（FPGAデータ）、3（書き込みプログラム）、4（ZK-VR340a のモデルファイル）のいずれかです</source>
            <comment>10671</comment>
            <translation>KIND is 1 (main program), 2 (FPGA data), 3 (writer program) or 4 (ZK-VR340a model file)</translation>
        </message>
        <message>
            <source>firmware: %1 がありません</source>
            <comment>10672</comment>
            <translation>firmware: %1 does not exist</translation>
        </message>
        <message>
            <source>firmware: %1: %2</source>
            <comment>10673</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>firmware: %1: %2</translation>
        </message>
        <message>
            <source>ミキサーの電源が入ったら Enter を押してください。 </source>
            <comment>10674</comment>
            <translation>Press Enter once the mixer is on again. </translation>
        </message>
        <message>
            <source>%1 %2%  %3/%4 バイト</source>
            <comment>10675</comment>
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
            <source>firmware: USB ではミキサーが R を受け取った後に電源を切って入れ直す必要があります。端末で実行するか、スクリプトが電源を入れ直すときは --power-cycled を指定してください（ツールは --timeout 秒まで、デバイスが消えて戻るのを待ちます）</source>
            <comment>11220</comment>
            <translation>firmware: over USB the mixer must be switched off and on once it has taken R; run this on a terminal, or give --power-cycled when the script sees to it (the tool then waits up to --timeout seconds for the device to go and come back)</translation>
        </message>
        <message>
            <source>firmware: %1 秒以内にミキサーの電源が入れ直されませんでした。これ以上は送信していません</source>
            <comment>11221</comment>
            <translation>firmware: the mixer was not switched off and on within %1 s; nothing more was sent</translation>
        </message>
        <message>
            <source>それでも送信しますか？ [y/N] </source>
            <comment>11222</comment>
            <translation>Send it anyway? [y/N] </translation>
        </message>
        <message>
            <source>firmware: それでも送信するには --any-model を指定してください</source>
            <comment>11223</comment>
            <translation>firmware: give --any-model to send it anyway</translation>
        </message>
        <message>
            <source>ミキサーの電源が入れ直されるのを最大 %1 秒待っています...</source>
            <comment>11224</comment>
            <translation>Waiting up to %1 s for the mixer to be switched off and on...</translation>
        </message>
        <message>
            <source>firmware: 不明なオプション %1</source>
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
            <source>%1: ミキサーがこの PC からの書き込みを拒否しています。何も書き込んでいません</source>
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
            <source>ip set: DHCPクライアントが OFF のとき、%1 はミキサーのアドレスにできません: %2</source>
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
            <source>--operate には設定値ファイルを指定してください</source>
            <comment>12120</comment>
            <translation>--operate needs a settings file</translation>
        </message>
        <message>
            <source>--link には ethernet, rs232c, usb のいずれかを指定してください（「%1」が指定されました）</source>
            <comment>12121</comment>
            <translation>--link wants ethernet, rs232c or usb, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>%1 は --operate と一緒にだけ指定できます</source>
            <comment>12122</comment>
            <translation>%1 goes with --operate only</translation>
        </message>
        <message>
            <source>--link は --virtual と一緒には指定できません（仮想ミキサーが接続先です）</source>
            <comment>12123</comment>
            <translation>--link does not go with --virtual: the virtual mixers are the link</translation>
        </message>
        <message>
            <source>設定値ファイル「%1」を読めません</source>
            <comment>12124</comment>
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
            <source>--virtual にはミキサーの台数 1..16 を指定してください（「%1」が指定されました）</source>
            <comment>12620</comment>
            <translation>--virtual wants a number of mixers 1..16, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--model にはモデルコード 0..255 を指定してください（「%1」が指定されました）</source>
            <comment>12621</comment>
            <translation>--model wants a model code 0..255, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--model は --virtual と一緒にだけ指定できます</source>
            <comment>12622</comment>
            <translation>--model goes with --virtual only</translation>
        </message>
        <message>
            <source>使い方: zkvr340a [DEBUG]
        zkvr340a --virtual N [--model CODE] [--virtual-port PORT] [DEBUG]
        zkvr340a --operate FILE [--link ethernet|rs232c|usb] [--fullscreen]
        zkvr340a ... [--remote ADDRESS:PORT --remote-tokens FILE]
        zkvr340a ... [--control ADDRESS:PORT [--remote-tokens FILE]] [--log-journal]
        zkvr340a --help | --version
  --virtual N          仮想ミキサーを N 台 (1..16) プログラムの中で動かします (127.0.0.1 からだけ接続)
  --model CODE         仮想ミキサーが報告するモデルコード (既定値 1。0 は以前の機種)
  --virtual-port PORT  仮想ミキサーが待ち受けるポート (既定値はシステムが選ぶポート。stderr に表示)
  --operate FILE       FILE のパネルで、コントロールパネルの実行状態から始めます (パスフレーズでロック)
  --link KIND          その接続で尋ねずに接続します (--operate と一緒に)
  --fullscreen         パネルを全画面に表示します (--operate と一緒に)
  --remote ADDRESS:PORT  そこでリモート操作のページを提供します (--remote-tokens FILE のトークンで)
  --control ADDRESS:PORT  そこでルームコントローラーのライン制御を受けます (--remote-tokens FILE か保存されたトークンで)
  --log-journal        操作の記録をシステムのログにも書きます
  -h, --help           この説明を表示して終わります
  -v, --version        バージョンを表示して終わります
  DEBUG                ダウンロードとデバッグのメニューを表示します
</source>
            <comment>12623</comment>
            <translation>usage: zkvr340a [DEBUG]
       zkvr340a --virtual N [--model CODE] [--virtual-port PORT] [DEBUG]
       zkvr340a --operate FILE [--link ethernet|rs232c|usb] [--fullscreen]
       zkvr340a ... [--remote ADDRESS:PORT --remote-tokens FILE]
       zkvr340a ... [--control ADDRESS:PORT [--remote-tokens FILE]] [--log-journal]
       zkvr340a --help | --version
  --virtual N          run N virtual mixers (1..16) inside the program, reached on 127.0.0.1 only
  --model CODE         the model code they report (default 1; 0 is the older model)
  --virtual-port PORT  the port they answer on (default: one the system chooses; printed on stderr)
  --operate FILE       start in the control panel's execution state with FILE's panel, locked by the passphrase
  --link KIND          connect over that link without asking (with --operate)
  --fullscreen         show the panel on the whole screen (with --operate)
  --remote ADDRESS:PORT  serve the remote operation page there, with the tokens of --remote-tokens FILE
  --control ADDRESS:PORT  take room controllers' line control there, with the tokens of --remote-tokens FILE or the stored ones
  --log-journal        write the activity log to the system log too
  -h, --help           show this text and exit
  -v, --version        show the version and exit
  DEBUG                show the download and debug menus
</translation>
        </message>
        <message>
            <source>diff には FILE_A FILE_B、または接続オプションと FILE を指定してください（ほかには --json だけを指定できます）</source>
            <comment>12700</comment>
            <translation>diff wants FILE_A FILE_B, or FILE with a link option, and --json at most</translation>
        </message>
        <message>
            <source>diff FILE はファイルを接続されているミキサーと比べるので、接続オプション（--ethernet, --serial または --usb）が必要です。2 つのファイルの比較には不要です</source>
            <comment>12701</comment>
            <translation>diff FILE compares the file with the linked mixers and needs a link option (--ethernet, --serial or --usb); two files need none</translation>
        </message>
        <message>
            <source>比較元: 接続されているミキサー (%1 台)</source>
            <comment>12702</comment>
            <translation>from: the linked mixers (%1)</translation>
        </message>
        <message>
            <source>比較元: %1 (ミキサー %2 台)</source>
            <comment>12703</comment>
            <translation>from: %1 (mixers: %2)</translation>
        </message>
        <message>
            <source>比較先: %1 (ミキサー %2 台)</source>
            <comment>12704</comment>
            <translation>to:   %1 (mixers: %2)</translation>
        </message>
        <message>
            <source>%1 (ミキサー %2): 差異 %3 件%4</source>
            <comment>12705</comment>
            <translation>%1 (mixer %2): %3 differences%4</translation>
        </message>
        <message>
            <source>合計: 差異 %1 件%2</source>
            <comment>12706</comment>
            <translation>total: %1 differences%2</translation>
        </message>
        <message>
            <source>  %1  %2: %3 -&gt; %4  (%5)</source>
            <comment>12707</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>  %1  %2: %3 -&gt; %4  (%5)</translation>
        </message>
        <message>
            <source>差異はありません</source>
            <comment>12708</comment>
            <translation>no differences</translation>
        </message>
        <message>
            <source>load --dry-run: 何も送信していません。読み込むとファイルの値がミキサー 1..%1 と拡張レジスタに書き込まれ、変わる値は次のとおりです:</source>
            <comment>12709</comment>
            <translation>load --dry-run: nothing was sent; a load writes the file's values into mixers 1..%1 and the extension registers, and these are the values it changes:</translation>
        </message>
        <message>
            <source>load: --json は --dry-run と一緒にだけ指定できます</source>
            <comment>12711</comment>
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
            <source>閲覧用の画面です。ここからは操作できません。</source>
            <comment>13400</comment>
            <translation>This page is for watching: nothing can be operated from here.</translation>
        </message>
        <message>
            <source>PC でメッセージが応答を待っているため、操作できません。</source>
            <comment>13401</comment>
            <translation>A message on the PC is waiting for an answer: nothing can be operated now.</translation>
        </message>
        <message>
            <source>プログラムが応答していません。</source>
            <comment>13402</comment>
            <translation>The program is not answering.</translation>
        </message>
        <message>
            <source>全画面</source>
            <comment>13403</comment>
            <translation>Full screen</translation>
        </message>
        <message>
            <source>ミキサーがこのプログラムからの書き込みを受け付けていません。</source>
            <comment>13404</comment>
            <translation>The mixers do not accept writes from this program.</translation>
        </message>
        <message>
            <source>受け付けられませんでした: %1</source>
            <comment>13405</comment>
            <translation>Not accepted: %1</translation>
        </message>
        <message>
            <source>リモート操作はコマンドラインの指定 (--remote %1:%2 --remote-tokens %3) で動いています。ここでは変更できません。</source>
            <comment>13410</comment>
            <translation>Remote operation runs as the command line set it up (--remote %1:%2 --remote-tokens %3). It cannot be changed here.</translation>
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
            <source>%1: %2 は設定値ファイルではありません: %3 行目: %4=%5 はエディターで設定できる範囲 %6..%7 の外です (--raw ならミキサーが持てる値を受け付けます)。何も送信していません</source>
            <comment>13000</comment>
            <translation>%1: %2 is no settings file: line %3: %4=%5 is outside %6..%7, the values the editor can set (--raw takes what the mixer can hold); nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 は設定値ファイルではありません: %3 行目: %4=%5 はミキサーが持てる範囲 %6..%7 の外です。何も送信していません</source>
            <comment>13001</comment>
            <translation>%1: %2 is no settings file: line %3: %4=%5 is outside %6..%7, the values the mixer can hold; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 は設定値ファイルではありません: [SystemData] に MixerCount がありません (空のファイルか、途中で切れたファイルです)。何も送信していません</source>
            <comment>13002</comment>
            <translation>%1: %2 is no settings file: [SystemData] holds no MixerCount (the file is empty or cut short); nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 は設定値ファイルではありません: MixerCount は %3 ですが [%4] がありません。何も送信していません</source>
            <comment>13003</comment>
            <translation>%1: %2 is no settings file: MixerCount is %3 but [%4] is missing; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 は設定値ファイルではありません: [%3] が途中で切れています (%4 がありません)。何も送信していません</source>
            <comment>13004</comment>
            <translation>%1: %2 is no settings file: [%3] is cut short, %4 is missing; nothing was sent</translation>
        </message>
        <message>
            <source>%1: %2 は通常のファイルではありません (デバイス、パイプ、ソケットまたはフォルダー)。読み込んでいません</source>
            <comment>13005</comment>
            <translation>%1: %2 is not a regular file (a device, pipe, socket or folder) and was not read</translation>
        </message>
        <message>
            <source>load: %1 にはミキサー %2 台分の値があり、接続されているのは %3 台です: ファイルのミキサー %4 は送信しません</source>
            <comment>13010</comment>
            <translation>load: %1 holds %2 and %3 are linked (mixers): the file's mixers %4 are not sent</translation>
        </message>
        <message>
            <source>load: %1 にはミキサー %2 台分の値があり、接続されているのは %3 台です: ミキサー %4 は今の値のままです</source>
            <comment>13011</comment>
            <translation>load: %1 holds %2 and %3 are linked (mixers): mixers %4 keep the values they hold</translation>
        </message>
        <message>
            <source>このまま読み込みますか？ [y/N] </source>
            <comment>13012</comment>
            <translation>Load it all the same? [y/N] </translation>
        </message>
        <message>
            <source>load: このまま読み込むには --yes を指定してください。何も送信していません</source>
            <comment>13013</comment>
            <translation>load: give --yes to load it all the same; nothing was sent</translation>
        </message>
        <message>
            <source>load: ミキサーは %1=%2 (レジスタ %3) を反映しませんでした: 読み返しで確かめられなかったため、そのあとの値は送信していません</source>
            <comment>13014</comment>
            <translation>load: the mixers did not take %1=%2 (register %3): the read-back did not confirm it, and nothing after it was sent</translation>
        </message>
        <message>
            <source>ミキサーの値は同じです。コントロールパネルが異なります (ボタン %1 個、図形 %2 個)</source>
            <comment>13020</comment>
            <translation>the mixers' values are the same; the control panels differ (buttons: %1, figures: %2)</translation>
        </message>
        <message>
            <source>コントロールパネルも異なります (ボタン %1 個、図形 %2 個)</source>
            <comment>13021</comment>
            <translation>the control panels differ as well (buttons: %1, figures: %2)</translation>
        </message>
        <message>
            <source>set: %1=%2 はエディターで設定できる範囲 %3..%4 の外です (--raw ならミキサーが持てる値 %5..%6 を送信します)</source>
            <comment>13030</comment>
            <translation>set: %1=%2 is outside %3..%4, the values the editor can set (--raw sends what the mixer can hold: %5..%6)</translation>
        </message>
        <message>
            <source>set: %1=%2 はミキサーが持てる範囲 %3..%4 の外です</source>
            <comment>13031</comment>
            <translation>set: %1=%2 is outside %3..%4, what the mixer can hold</translation>
        </message>
        <message>
            <source>set: %1 は単独では送信しません: 各ミキサーは優先スイッチを Priority_1 の 1 つだけ OnlyType とともに持ちます</source>
            <comment>13032</comment>
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
        <message>
            <source>使い方: zkvr340a-ctl LINK [--timeout SECONDS] [--verbose] [--quiet] COMMAND [ARGS]
        zkvr340a-ctl COMMAND --help
        zkvr340a-ctl --help
LINK: --ethernet HOST[:PORT] | --serial DEVICE | --usb
コマンド:</source>
            <comment>13200</comment>
            <translation>usage: zkvr340a-ctl LINK [--timeout SECONDS] [--verbose] [--quiet] COMMAND [ARGS]
       zkvr340a-ctl COMMAND --help
       zkvr340a-ctl --help
LINK: --ethernet HOST[:PORT] | --serial DEVICE | --usb
commands:</translation>
        </message>
        <message>
            <source>使い方: zkvr340a-ctl %1</source>
            <comment>13201</comment>
            <translation>usage: zkvr340a-ctl %1</translation>
        </message>
        <message>
            <source>詳しくは zkvr340a-ctl %1 --help を見てください</source>
            <comment>13202</comment>
            <translation>zkvr340a-ctl %1 --help says more</translation>
        </message>
        <message>
            <source>%1: 不明なオプション「%2」（名前が「-」で始まるファイルは ./%2 のように指定してください）</source>
            <comment>13203</comment>
            <translation>%1: unknown option &quot;%2&quot; (give a file whose name begins with &quot;-&quot; as ./%2)</translation>
        </message>
        <message>
            <source>zkvr340a-ctl: %1 のミキサーに接続できませんでした</source>
            <comment>13205</comment>
            <translation>zkvr340a-ctl: could not connect to the mixers at %1</translation>
        </message>
        <message>
            <source>%1 (ミキサー %2): 差異 %3 件%4</source>
            <comment>13206</comment>
            <translation>%1 (mixer %2): %3 difference%4</translation>
        </message>
        <message>
            <source>合計: 差異 %1 件%2</source>
            <comment>13207</comment>
            <translation>total: %1 difference%2</translation>
        </message>
        <message>
            <source>%1: %2 パス目: 送信 %3/%4 件、完了 %5/%6 件</source>
            <comment>13208</comment>
            <translation>%1: pass %2: sent %3/%4, done %5/%6</translation>
        </message>
        <message>
            <source>%1: %2 は CP932 のテキストではありません（設定値ファイルは CP932 で保存されます）。何も送信していません</source>
            <comment>13209</comment>
            <translation>%1: %2 is not CP932 text (settings files are saved in CP932); nothing was sent</translation>
        </message>
        <message>
            <source>名前
    zkvr340a-ctl - シェルから ZK-VR340a ミキサーを読み書きする

書式
    zkvr340a-ctl LINK [--timeout SECONDS] [--verbose] [--quiet] COMMAND [ARGS]
    zkvr340a-ctl search USERID
    zkvr340a-ctl diff [--json] FILE_A FILE_B
    zkvr340a-ctl [COMMAND] --help
    LINK は --ethernet HOST[:PORT]、--serial DEVICE、--usb のいずれかです。

説明
    プログラムと同じように、1 つの接続で、接続されているミキサーと通信します。
    書き込んだ値はすべて読み返して確かめます。接続オプションはコマンドの前にも
    後ろにも置けます。search と 2 つのファイルの diff には要りません。
    コマンドのオプションはコマンド名の後ろに置きます。名前が「-」で始まる
    ファイルは ./-name のように指定します。

    status は接続されているすべてのミキサーのすべての値を表示します。get と
    set は値を 1 つずつ読み書きします。save と load はシステム全体をミキサーと
    設定値ファイルの間で移します。diff は設定値ファイルどうし、またはファイルと
    ミキサーを比べます。ip はミキサーのネットワーク設定を読み書きします。peek と
    poke はミキサーのメモリを読み書きします（16 進数）。firmware はファームウェアを
    ダウンロードします。search はユーザーIDを持つミキサーのアドレスを表示します。

    メッセージの言語はプログラムと同じく利用者の言語に従います。英語のロケール
    (LANG, LC_ALL, LANGUAGE) または ZKVR340A_LANGUAGE=en のときは英語、それ以外
    (LANG=C を含む) は日本語です。スクリプト向けの出力 (--json、status のキーと値) は
    言語によって変わりません。

コマンド</source>
            <comment>13210</comment>
            <translation>NAME
    zkvr340a-ctl - read and write ZK-VR340a mixers from a shell

SYNOPSIS
    zkvr340a-ctl LINK [--timeout SECONDS] [--verbose] [--quiet] COMMAND [ARGS]
    zkvr340a-ctl search USERID
    zkvr340a-ctl diff [--json] FILE_A FILE_B
    zkvr340a-ctl [COMMAND] --help
    LINK is --ethernet HOST[:PORT], --serial DEVICE or --usb.

DESCRIPTION
    Talks to the linked mixers over one link, as the program does: every
    value it writes is read back and verified. The link options may stand
    before or after the command; search and diff of two files need none.
    Options of a command follow its name; a file whose name begins with &quot;-&quot;
    is given as ./-name.

    status prints every value of every linked mixer; get and set read and
    write single values; save and load move a whole system between the mixers
    and a settings file; diff compares settings files, or a file with the
    mixers; ip reads or writes the mixer's network settings; peek and poke
    read and write mixer memory (hexadecimal); firmware downloads firmware;
    search prints the address of the one mixer that owns a user ID.

    Messages follow the user's language as the program does: English with an
    English locale (LANG, LC_ALL, LANGUAGE) or ZKVR340A_LANGUAGE=en, Japanese
    otherwise (also with LANG=C). Output meant for scripts (--json, the keys
    and values of status) does not change with the language.

COMMANDS</translation>
        </message>
        <message>
            <source>オプション
    --ethernet HOST[:PORT]
                ミキサーのコマンドポートに接続します (PORT を省くと 1001)
    --serial DEVICE
                シリアルポート。/dev/ttyUSB0 や /dev/serial/by-id の名前など
                (利用者は dialout グループに入っている必要があります)
    --usb       devbridge を通して接続します (ツールと同じフォルダーのものが
                優先されます。DEVBRIDGE_DEVICE_ROOT がデバイスのフォルダーです)
    --timeout SECONDS
                何も応答しないとき Ethernet の接続を試みる時間と、
                firmware --power-cycled がミキサーの電源の入れ直しを
                待つ時間 (既定値はプログラムと同じ 30 秒、
                最大 86400 秒)
    --verbose   操作記録の項目を起きたときに stderr に表示します: 書き込みごとの
                ミキサー、キー、値と結果、接続の状態、ファイルの読み込みと保存、
                アクセスの確認、ダウンロード
    --quiet     進み具合の行を表示しません (端末では set と load が送信した値と
                確認した値を数え、firmware が進み具合のバーを stderr に表示します)
    -h, --help  この説明を表示して終わります。COMMAND --help はそのコマンドの説明</source>
            <comment>13211</comment>
            <translation>OPTIONS
    --ethernet HOST[:PORT]
                connect to the mixer's command port (1001 unless PORT is given)
    --serial DEVICE
                the serial port, such as /dev/ttyUSB0 or a /dev/serial/by-id
                name (the user needs the dialout group)
    --usb       go through devbridge (the one beside the tool wins over the
                installed one; DEVBRIDGE_DEVICE_ROOT names the device folder)
    --timeout SECONDS
                how long an Ethernet connection is tried when nothing answers,
                and how long firmware --power-cycled waits for the mixer to be
                switched off and on (default 30 seconds, as the program waits;
                at most 86400)
    --verbose   print on stderr, as they happen, the activity log's entries:
                each write with its mixer, key, value and outcome, the link's
                state, file loads and saves, the access check and a download
    --quiet     no progress lines (on a terminal, set and load count the values
                sent and verified and firmware shows a progress bar on stderr)
    -h, --help  show this text and exit; COMMAND --help shows the command's own</translation>
        </message>
        <message>
            <source>出力
    status --json は 1 行の JSON オブジェクトを表示します:
        {"mixer_count": N, "mixers": [{"mixer": 1, "model": M,
          "values": {"InputLevel_1": V, ..., "KeyLock": V, "Threshold": V}}]}
    値はミキサーが持つコードです。ミキサーが報告しなかったスレッショルドは
    null です。スレッショルドは最上位ビットを除いた 15 ビットです。

    diff --json と load --dry-run --json は 1 行の JSON オブジェクトを表示します:
        {"from": {"source": "mixers" | "file", "file": PATH, "mixer_count": N},
         "to": {"source": "file", "file": PATH, "mixer_count": N},
         "mixer_count_differs": BOOL, "note": TEXT, "compared_mixers": N,
         "differences": N,
         "per_kind": {"channel": N, "system": N, "extended": N, "defaults": N},
         "panels": {"differ": BOOL, "buttons": N, "figures": N, "panel_wide": BOOL} | null,
         "mixers": [{"mixer": 1, "name": TEXT, "differences": N, "per_kind": {...},
           "values": [{"key": "InputGain_3", "kind": "channel", "label": TEXT,
             "label_en": TEXT, "channel": 3 | null, "from": 0, "to": 40,
             "from_text": "MUTE", "to_text": "-6.1dB"}]}]}
    "file" はファイルのときだけあります。from はミキサー (または FILE_A) の
    コード、to はファイルのコードです。label、name、note、from_text、to_text は
    どの言語でもプログラムの日本語の表示で、label_en は英語のラベルです。キー、
    kind とコードは変わりません。スクリプトはこれらを使ってください。
    オブジェクトのキーの順序は決まっていません。配列はミキサーとキーの順です。</source>
            <comment>13212</comment>
            <translation>OUTPUT
    status --json prints one line, a JSON object:
        {&quot;mixer_count&quot;: N, &quot;mixers&quot;: [{&quot;mixer&quot;: 1, &quot;model&quot;: M,
          &quot;values&quot;: {&quot;InputLevel_1&quot;: V, ..., &quot;KeyLock&quot;: V, &quot;Threshold&quot;: V}}]}
    Values are the codes the mixers keep; a threshold the mixer did not
    report is null. Thresholds are 15 bits, the top bit cleared.

    diff --json and load --dry-run --json print one line, a JSON object:
        {&quot;from&quot;: {&quot;source&quot;: &quot;mixers&quot; | &quot;file&quot;, &quot;file&quot;: PATH, &quot;mixer_count&quot;: N},
         &quot;to&quot;: {&quot;source&quot;: &quot;file&quot;, &quot;file&quot;: PATH, &quot;mixer_count&quot;: N},
         &quot;mixer_count_differs&quot;: BOOL, &quot;note&quot;: TEXT, &quot;compared_mixers&quot;: N,
         &quot;differences&quot;: N,
         &quot;per_kind&quot;: {&quot;channel&quot;: N, &quot;system&quot;: N, &quot;extended&quot;: N, &quot;defaults&quot;: N},
         &quot;panels&quot;: {&quot;differ&quot;: BOOL, &quot;buttons&quot;: N, &quot;figures&quot;: N, &quot;panel_wide&quot;: BOOL} | null,
         &quot;mixers&quot;: [{&quot;mixer&quot;: 1, &quot;name&quot;: TEXT, &quot;differences&quot;: N, &quot;per_kind&quot;: {...},
           &quot;values&quot;: [{&quot;key&quot;: &quot;InputGain_3&quot;, &quot;kind&quot;: &quot;channel&quot;, &quot;label&quot;: TEXT,
             &quot;label_en&quot;: TEXT, &quot;channel&quot;: 3 | null, &quot;from&quot;: 0, &quot;to&quot;: 40,
             &quot;from_text&quot;: &quot;MUTE&quot;, &quot;to_text&quot;: &quot;-6.1dB&quot;}]}]}
    &quot;file&quot; is there for files only. from is the mixers' (or FILE_A's) code,
    to the file's. label, name, note, from_text and to_text are the program's
    Japanese texts in every language; label_en is the label in English. Keys,
    kinds and codes never change with the language: scripts rely on them.
    Object keys may come in any order; arrays keep mixer and key order.</translation>
        </message>
        <message>
            <source>環境変数
    ZKVR340A_LANGUAGE
                ja または en: ロケールにかかわらずメッセージの言語を決めます
    ZKVR340A_SEARCH_ADDRESS, ZKVR340A_SEARCH_PORT, ZKVR340A_SEARCH_REPLY_PORT
                search が要求を送る先 (既定値は 255.255.255.255 とすべての
                ネットワークインターフェイスのブロードキャストアドレス、ポート
                1001) と応答を待つポート (1002)
    DEVBRIDGE_DEVICE_ROOT
                --usb がデバイスを探すフォルダー (Linux)

終了ステータス
    0   完了
    1   ミキサーが応答しない、接続を開けない、書き込みが拒否されたか
        反映されない、または設定値ファイルを読めない・書けない
        (理由は stderr に表示します)
    2   使い方の誤り (理由と使い方を stderr に表示します)
    diff は差異がなければ 0、あれば 1 (ミキサーの台数の違いも差異です)、
    エラーのときは 2 で終わります。load --dry-run は load と同じです。

例
    接続されているすべてのミキサーのすべての値を JSON で:
        zkvr340a-ctl --ethernet 192.168.100.200 status --json
    マスターのチャンネル 3 の入力ゲインを -6.1dB (コード 40) にして確かめる:
        zkvr340a-ctl --serial /dev/ttyUSB0 set 1 InputGain_3=40
    ユーザーIDが hall のミキサーを探し、そのシステム全体を保存する:
        zkvr340a-ctl search hall
        zkvr340a-ctl --ethernet &quot;$(zkvr340a-ctl search hall)&quot; save hall.ini
    hall.ini を読み込むと変わる値を、何も送信せずに 1 つずつ表示する:
        zkvr340a-ctl --ethernet 192.168.100.200 diff hall.ini</source>
            <comment>13213</comment>
            <translation>ENVIRONMENT
    ZKVR340A_LANGUAGE
                ja or en: the language of the messages, whatever the locale
    ZKVR340A_SEARCH_ADDRESS, ZKVR340A_SEARCH_PORT, ZKVR340A_SEARCH_REPLY_PORT
                where search sends its request (default 255.255.255.255 and
                the broadcast address of every network interface, port 1001)
                and where it listens for replies (1002)
    DEVBRIDGE_DEVICE_ROOT
                the folder --usb looks for the device in (Linux)

EXIT STATUS
    0   done
    1   no mixer answered, the link could not be opened, a write was refused
        or did not take, or a settings file could not be read or written
        (the reason on stderr)
    2   usage error (the reason and the usage on stderr)
    diff ends with 0 when nothing differs, 1 when something does (a differing
    mixer count counts), 2 on any error. load --dry-run ends as load does.

EXAMPLES
    All values of every linked mixer, as JSON:
        zkvr340a-ctl --ethernet 192.168.100.200 status --json
    Input gain of channel 3 of the master to -6.1dB (code 40), verified:
        zkvr340a-ctl --serial /dev/ttyUSB0 set 1 InputGain_3=40
    Find the mixer whose user ID is hall, then save its whole system:
        zkvr340a-ctl search hall
        zkvr340a-ctl --ethernet &quot;$(zkvr340a-ctl search hall)&quot; save hall.ini
    What loading hall.ini would change, value by value, sending nothing:
        zkvr340a-ctl --ethernet 192.168.100.200 diff hall.ini</translation>
        </message>
        <message>
            <source>接続されているすべてのミキサーのすべての値を表示します: キーごとに 1 行
(設定値ファイルのキー名)、ミキサーごとに 1 列の表、または --json で 1 つの
JSON オブジェクト (出力を参照)。スレッショルドは 15 ビットで、ミキサーが
報告しなかったものは「-」です。</source>
            <comment>13220</comment>
            <translation>Prints every value of every linked mixer: a table with one row per key
(as the settings file names them) and one column per mixer, or with --json
one JSON object (see OUTPUT). Thresholds are 15 bits; one the mixer did not
report shows as &quot;-&quot;.</translation>
        </message>
        <message>
            <source>接続されているミキサー MIXER (1 がマスター、2..16 がスレーブ 1..15) の KEY
(データブロックのキー、ID 1..85、または Threshold) の値を 10 進数で表示します。</source>
            <comment>13221</comment>
            <translation>Prints the decimal value of KEY (a key of the data block, ids 1..85, or
Threshold) of the linked mixer MIXER: 1 the master, 2..16 slaves 1..15.</translation>
        </message>
        <message>
            <source>各 VALUE (ミキサーが持つコード。status と get が表示するもの) をプログラムと
同じ確認付きの書き込みで書き込みます: 送信し、読み返して比べ、最大 11 パス。
そのあとすべてのミキサーを読み直し、反映されなかった値を stderr に挙げ
(「set: ミキサー 2 の KeyLock は 1 ではなく 0 と読み返されました」)、終了
ステータスは 1 になります。書き込みの権限がなければ何も書き込みません。
値はミキサーエディターで設定できるもの (選択肢、レベル 0..64、各欄の範囲) に
限ります。--raw はミキサーが持てる値 (1 バイト、スレッショルドは 0..32767) を
受け付けます。Priority_2..8 は優先スイッチの繰り返しなので指定できません。</source>
            <comment>13222</comment>
            <translation>Writes each VALUE (the code the mixer keeps, as status and get show it)
with the program's verified write: sent, read back and compared, up to 11
passes. Then every mixer is read again and each value that does not hold is
named on stderr (&quot;set: mixer 2 KeyLock reads back 0, not 1&quot;); the exit
status is then 1. Without write access nothing is written.
A VALUE must be one the mixer editor can set (its choices, levels 0..64, the
bounds of its fields); --raw takes any the mixer can hold (a byte, a threshold
of 0..32767). Priority_2..8 only repeat the priority switch and are refused.</translation>
        </message>
        <message>
            <source>ネットワーク上でユーザーIDが USERID のミキサー 1 台のアドレスを表示します
(プログラムの接続ダイアログと同じ UDP の検索。環境変数を参照)。接続
オプションは要りません。応答するミキサーがないか 2 台以上なら 1 で終わります。</source>
            <comment>13223</comment>
            <translation>Prints the address of the one mixer on the network whose user ID is USERID
(the UDP search of the program's connection dialog; see ENVIRONMENT). Needs
no link option. Exit 1 when no mixer answers, or more than one.</translation>
        </message>
        <message>
            <source>接続されているすべてのミキサーを拡張データとともに読み、システム全体を
設定値ファイル (CP932、CR LF、コントロールパネルは空) として FILE に書きます。
一時ファイルを通して書くので、保存に失敗しても前からある FILE はそのまま
残ります。</source>
            <comment>13224</comment>
            <translation>Reads every linked mixer with its extended data and writes the whole system
to FILE as a settings file (CP932, CR LF), with an empty control panel. The
file is written through a temporary one, so a failed save leaves an older
FILE whole.</translation>
        </message>
        <message>
            <source>接続を開く前に FILE を確かめ、プログラムのファイルを開くコマンドと読み込んだ
設定の転送と同じことをします: ミキサーを読み直し、ファイルと違う値だけを
送信します (マスターのセクションの拡張データ、その他の値は確認付きの書き込み)。
最後にミキサーを読み直して、反映されなかった値を stderr に挙げます
(終了ステータス 1)。ミキサーがすでに持っている値は確認済みです。
--full はミキサーが持っている値も含めて、すべての値を送信します。
--dry-run は何も送信しません: ミキサーを読み、読み込むと送信する値を
diff FILE と同じ形で表示します (--json: diff --json と同じ形)。
FILE のミキサーが接続台数より少ないと、残りのミキサーは今の値のままです:
端末では確かめ、スクリプトには --yes が要ります (なければ何も送信せず 1)。
--raw はミキサーが持てる値を受け付けます (set を参照)。</source>
            <comment>13225</comment>
            <translation>Checks FILE before any link opens, then does what the program's open
command and the transfer of loaded settings do: it reads the mixers again
and sends only the values that differ from the file (the extended data from
the master's section, every other value with the verified write); a last
read names on stderr each value the mixers do not hold (exit 1). A value
they held already counts as verified. --full sends every value, held or not.
--dry-run sends nothing: it reads the mixers and prints the values a load
would send, as diff FILE does (--json: as diff --json).
When FILE holds fewer mixers than are linked, the others keep their values:
at a terminal the tool asks, a script must give --yes (else nothing is sent,
exit 1). --raw takes any value the mixers can hold (see set).</translation>
        </message>
        <message>
            <source>FILE_A FILE_B は 2 つの設定値ファイルを比べ、接続オプションは要りません。
FILE はファイルを、save と同じように読んだ接続されているミキサーと、読み込みが
適用するとおりに比べます。違う値はエディターの呼び方で、ミキサーごとの行の下に
挙げます。--json は 1 つの JSON オブジェクトを表示します (出力を参照)。
比べるのは読み込みが送る値で、Priority_1 と OnlyType は 1 つの値
Simultaneous です。2 つのファイルはコントロールパネルも比べます。
--raw はミキサーが持てる値のファイルを受け付けます。差異がなければ 0、あれば 1、エラーのときは 2 で
終わります。</source>
            <comment>13226</comment>
            <translation>FILE_A FILE_B compares two settings files and needs no link option. FILE
compares the file with the linked mixers, read as save reads them, the way
a load would apply it. Each value that differs is named as the editor names
it, under a line per mixer; --json prints one JSON object (see OUTPUT).
Compared are the values a load sends; Priority_1 and OnlyType are one
value, Simultaneous. Two files are compared with their control panels too;
--raw takes files with any value the mixers can hold. Exit 0 when nothing differs, 1 when something does,
2 on any error.</translation>
        </message>
        <message>
            <source>ip get はミキサーが持つネットワーク設定 (アドレス、DHCPクライアント、
ユーザーID) を表示します。ip set はそれを書き込んで読み返します。--dhcp が
なければミキサーの DHCP の設定はそのままです。ADDRESS は 10 進数のドット
区切りです (0 で埋めた数も 10 進数として読みます)。DHCPクライアントが OFF
のとき、ミキサーに設定できないアドレスは理由とともに拒否します。USERID は
A-Z, a-z, 0-9 の 1～20 文字です。</source>
            <comment>13227</comment>
            <translation>ip get prints the network settings the mixer keeps (address, DHCP client,
user ID). ip set writes them with read-back, keeping the mixer's DHCP mode
unless --dhcp is given. ADDRESS is dotted decimal (zero-padded numbers read
as decimal). With the DHCP client off, an address no mixer can have is
refused with the reason. USERID has 1 to 20 characters, each A-Z, a-z or
0-9.</translation>
        </message>
        <message>
            <source>ミキサーのメモリの ADDRESS (16 進数、8 桁まで) から SIZE バイト (1, 2
または 4。既定値 4) を読み、応答の 4 データバイトを 8 桁の 16 進数で
表示します。</source>
            <comment>13228</comment>
            <translation>Reads SIZE bytes (1, 2 or 4; default 4) of the mixer's memory at ADDRESS
(hexadecimal, up to 8 digits) and prints the reply's four data bytes as
eight hexadecimal digits.</translation>
        </message>
        <message>
            <source>ミキサーのメモリの ADDRESS (16 進数) に DATA (16 進数、8 桁まで) を SIZE
バイト (1, 2 または 4。既定値 4) として書き込みます。</source>
            <comment>13229</comment>
            <translation>Writes DATA (hexadecimal, up to 8 digits) as SIZE bytes (1, 2 or 4;
default 4) at ADDRESS (hexadecimal) of the mixer's memory.</translation>
        </message>
        <message>
            <source>プログラムのダウンロードメニューと同じように、ミキサーにファームウェアを
ダウンロードします: KIND 1 メインプログラム、2 FPGAデータ、3 書き込みプログラム
(以前の機種)、4 ZK-VR340a のモデルファイル。FILE は接続を開く前に確かめます。
マスターの機種と違う系統のイメージは --any-model があるときだけ送信します
(端末ではツールが尋ねます)。USB では最初の段階のあとでミキサーの電源を
入れ直す必要があります: 端末ではツールが Enter を待ち、--power-cycled の
ときはデバイスが消えて戻るのを --timeout 秒まで待ちます。どちらでもない
スクリプトは何も送信する前に拒否します。進み具合のバーを stderr に表示
します (端末では同じ行を書き換え、それ以外では 1 割ごとに 1 行。--quiet
のときは表示しません)。</source>
            <comment>13230</comment>
            <translation>Downloads firmware into the attached mixer, as the program's download menu:
KIND 1 main program, 2 FPGA data, 3 writer program (the older model), 4 a
ZK-VR340a model file. FILE is checked before the link opens. An image for
the other family than the master's model is sent only with --any-model (on
a terminal the tool asks). Over USB the mixer must be switched off and on
after its first step: on a terminal the tool waits for Enter; with
--power-cycled it waits up to --timeout seconds for the device to go and
come back; a script without either is refused before anything is sent. A
progress bar goes to stderr (rewritten in place on a terminal, a line per
tenth otherwise; none with --quiet).</translation>
        </message>
        <message>
            <source>zkvr340a は既に起動しています (プロセス %1)。そのウィンドウを前面に出しました。</source>
            <comment>13240</comment>
            <translation>zkvr340a is already running (process %1); its window was brought forward.</translation>
        </message>
        <message>
            <source>zkvr340a は既に起動しています (プロセス %1) が、応答がないためウィンドウを前面に出せませんでした。</source>
            <comment>13241</comment>
            <translation>zkvr340a is already running (process %1) but does not answer; its window was not brought forward.</translation>
        </message>
        <message>
            <source>2 つ目の zkvr340a の起動を防ぐロックファイル %1 を作成できません (そのフォルダーに書き込めるか確かめてください)</source>
            <comment>13242</comment>
            <translation>cannot create the lock file %1 that keeps a second zkvr340a from starting (can its folder be written?)</translation>
        </message>
        <message>
            <source>virtual mixers on 127.0.0.1:%1</source>
            <comment>13243</comment>
            <extracomment>Kept as is: a line scripts read on stderr, the same in every language.</extracomment>
            <translation>virtual mixers on 127.0.0.1:%1</translation>
        </message>
        <message>
            <source>--virtual-port にはポート 1..65535 を指定してください (「%1」が指定されました)</source>
            <comment>13244</comment>
            <translation>--virtual-port wants a port 1..65535, got &quot;%1&quot;</translation>
        </message>
        <message>
            <source>--virtual-port は --virtual と一緒にだけ指定できます</source>
            <comment>13245</comment>
            <translation>--virtual-port goes with --virtual only</translation>
        </message>
        <message>
            <source>%1 には値が必要です</source>
            <comment>13246</comment>
            <translation>%1 needs a value</translation>
        </message>
        <message>
            <source>「%1」は --virtual と一緒には指定できません</source>
            <comment>13248</comment>
            <translation>&quot;%1&quot; does not go with --virtual</translation>
        </message>
        <message>
            <source>仮想ミキサーは %1 で待ち受けています</source>
            <comment>13249</comment>
            <translation>The virtual mixers answer on %1</translation>
        </message>
        <message>
            <source>ウィンドウを開く画面がありません (%1 が設定されていません)。デスクトップの中で起動してください</source>
            <comment>13250</comment>
            <translation>no display to open a window on (%1 not set); start the program inside a desktop session</translation>
        </message>
        <message>
            <source>選択したボタンへの反映</source>
            <comment>14200</comment>
            <translation>Apply to the selected buttons</translation>
        </message>
        <message>
            <source>選択したものの削除</source>
            <comment>14201</comment>
            <translation>Delete the selection</translation>
        </message>
        <message>
            <source>%1 (%2)</source>
            <comment>14202</comment>
            <translation>%1 (%2)</translation>
        </message>
        <message>
            <source>選択に反映</source>
            <comment>14203</comment>
            <translation>Apply to selection</translation>
        </message>
        <message>
            <source>削除(&amp;E)</source>
            <comment>14204</comment>
            <translation>D&amp;elete</translation>
        </message>
        <message>
            <source>ボタンのプロパティ(&amp;R)...</source>
            <comment>14205</comment>
            <translation>Button p&amp;roperties...</translation>
        </message>
        <message>
            <source>グリッドに合わせる（Shift または Alt を押している間は合わせない）</source>
            <comment>14206</comment>
            <translation>Snap to the grid (not while Shift or Alt is held)</translation>
        </message>
        <message>
            <source>前回、保存されずに終わったコントロールパネルの編集内容が残っています。
元のファイル：%1
記録した日時：%2
復元しますか？</source>
            <comment>14207</comment>
            <translation>Changes to the control panel that were never saved were left behind.
From the file: %1
Written: %2
Restore them?</translation>
        </message>
        <message>
            <source>復元ファイルの一部を読めませんでした（読めない行：%1、最初は %2 行目：%3）。読めたところを復元しました。
ファイルは次の名前で残してあります：
%4</source>
            <comment>14208</comment>
            <translation>Part of the recovery file could not be read (lines not read: %1; the first is line %2: %3). What could be read was restored.
The file is kept as:
%4</translation>
        </message>
        <message>
            <source>復元ファイルを読めませんでした（%1）。何も復元していません。
ファイルは次の名前で残してあります：
%2</source>
            <comment>14209</comment>
            <translation>The recovery file could not be read (%1). Nothing was restored.
The file is kept as:
%2</translation>
        </message>
        <message>
            <source>ファイルを開けません</source>
            <comment>14210</comment>
            <translation>the file cannot be opened</translation>
        </message>
        <message>
            <source>コントロールパネルの値がありません</source>
            <comment>14211</comment>
            <translation>it holds no control panel values</translation>
        </message>
        <message>
            <source>（移せませんでした）</source>
            <comment>14212</comment>
            <translation> (could not be moved)</translation>
        </message>
        <message>
            <source>画像ファイル</source>
            <comment>14213</comment>
            <translation>Image file</translation>
        </message>
        <message>
            <source>幅</source>
            <comment>14214</comment>
            <translation>Width</translation>
        </message>
        <message>
            <source>高さ</source>
            <comment>14215</comment>
            <translation>Height</translation>
        </message>
        <message>
            <source>横の倍率</source>
            <comment>14216</comment>
            <translation>Horizontal scale</translation>
        </message>
        <message>
            <source>縦の倍率</source>
            <comment>14217</comment>
            <translation>Vertical scale</translation>
        </message>
        <message>
            <source>線の太さを増やす</source>
            <comment>14218</comment>
            <translation>Thicker line</translation>
        </message>
        <message>
            <source>線の太さを減らす</source>
            <comment>14219</comment>
            <translation>Thinner line</translation>
        </message>
        <message>
            <source>実線</source>
            <comment>14220</comment>
            <translation>Solid</translation>
        </message>
        <message>
            <source>破線</source>
            <comment>14221</comment>
            <translation>Dashed</translation>
        </message>
        <message>
            <source>点線</source>
            <comment>14222</comment>
            <translation>Dotted</translation>
        </message>
        <message>
            <source>一点鎖線</source>
            <comment>14223</comment>
            <translation>Dash-dot</translation>
        </message>
        <message>
            <source>二点鎖線</source>
            <comment>14224</comment>
            <translation>Dash-dot-dot</translation>
        </message>
        <message>
            <source>自動ロックまでの時間(&amp;T)</source>
            <comment>14000</comment>
            <translation>Lock again when &amp;idle for</translation>
        </message>
        <message>
            <source>%1 分</source>
            <comment>14001</comment>
            <translation>%1 min</translation>
        </message>
        <message>
            <source>操作はロックされているため、ログアウト（シャットダウン）を取り消しました。
コントロールパネルの「終了」でパスフレーズを入力し、マイクを元に戻してからもう一度行ってください。</source>
            <comment>14002</comment>
            <translation>The logout (shutdown) was cancelled because operation is locked.
Quit the control panel with the passphrase first, so that the microphones are switched back, then try again.</translation>
        </message>
        <message>
            <source>前回、コントロールパネルがチャンネルを元に戻さないまま終了しました（%1 に記録）。
コントロールパネルを開く前のチャンネルのオン・オフをミキサーに戻しますか？</source>
            <comment>14003</comment>
            <translation>Last time the control panel ended without switching the channels back (recorded %1).
Switch the channels back on and off as they were before the control panel opened?</translation>
        </message>
        <message>
            <source>チャンネルの記録ファイルを読めませんでした。チャンネルは戻していません。ファイルは %1 として残しています。</source>
            <comment>14004</comment>
            <translation>The file recording the channels could not be read. The channels were not switched back. The file was kept as %1.</translation>
        </message>
        <message>
            <source>%1 %2: %3</source>
            <comment>13600</comment>
            <translation>%1 %2: %3</translation>
        </message>
        <message>
            <source>ほか %1 件</source>
            <comment>13601</comment>
            <translation>and %1 more</translation>
        </message>
        <message>
            <source>ミキサーとの接続が切れています</source>
            <comment>13602</comment>
            <translation>the connection to the mixers is down</translation>
        </message>
        <message>
            <source>ミキサーは元の値のままです</source>
            <comment>13603</comment>
            <translation>the mixer kept its value</translation>
        </message>
        <message>
            <source>ミキサーから応答がありません</source>
            <comment>13604</comment>
            <translation>the mixer did not answer</translation>
        </message>
        <message>
            <source>ch %1 %2</source>
            <comment>13605</comment>
            <translation>ch %1 %2</translation>
        </message>
        <message>
            <source>入力アッテネータ</source>
            <comment>13610</comment>
            <translation>input attenuator</translation>
        </message>
        <message>
            <source>ファンタム電源</source>
            <comment>13611</comment>
            <translation>phantom power</translation>
        </message>
        <message>
            <source>ヘッドアンプゲイン</source>
            <comment>13612</comment>
            <translation>head-amp gain</translation>
        </message>
        <message>
            <source>ローカット</source>
            <comment>13613</comment>
            <translation>low cut</translation>
        </message>
        <message>
            <source>スレッショルド計算対象</source>
            <comment>13614</comment>
            <translation>threshold calculation</translation>
        </message>
        <message>
            <source>チャンネルレベル</source>
            <comment>13615</comment>
            <translation>channel level</translation>
        </message>
        <message>
            <source>プライオリティ</source>
            <comment>13616</comment>
            <translation>priority</translation>
        </message>
        <message>
            <source>オーバーライド</source>
            <comment>13617</comment>
            <translation>override</translation>
        </message>
        <message>
            <source>ミュート</source>
            <comment>13618</comment>
            <translation>mute</translation>
        </message>
        <message>
            <source>出力アッテネータ</source>
            <comment>13620</comment>
            <translation>output attenuator</translation>
        </message>
        <message>
            <source>マスターレベル</source>
            <comment>13621</comment>
            <translation>master level</translation>
        </message>
        <message>
            <source>ゲート減衰量設定</source>
            <comment>13622</comment>
            <translation>gate attenuation setting</translation>
        </message>
        <message>
            <source>ゲート減衰量</source>
            <comment>13623</comment>
            <translation>gate attenuation</translation>
        </message>
        <message>
            <source>スレッショルド動作</source>
            <comment>13624</comment>
            <translation>threshold action</translation>
        </message>
        <message>
            <source>スレッショルド設定単位</source>
            <comment>13625</comment>
            <translation>threshold setting unit</translation>
        </message>
        <message>
            <source>オートマチック動作</source>
            <comment>13626</comment>
            <translation>automatic action</translation>
        </message>
        <message>
            <source>NOMA</source>
            <comment>13627</comment>
            <translation>NOMA</translation>
        </message>
        <message>
            <source>ラストオン</source>
            <comment>13628</comment>
            <translation>last on</translation>
        </message>
        <message>
            <source>ホールド時間</source>
            <comment>13629</comment>
            <translation>hold time</translation>
        </message>
        <message>
            <source>同時選択許可チャンネル数</source>
            <comment>13630</comment>
            <translation>channels on at once</translation>
        </message>
        <message>
            <source>キーロック</source>
            <comment>13631</comment>
            <translation>key lock</translation>
        </message>
        <message>
            <source>スレッショルドレベル</source>
            <comment>13632</comment>
            <translation>threshold level</translation>
        </message>
        <message>
            <source>--control には アドレス:ポート を指定してください (例: 0.0.0.0:8341)。</source>
            <comment>14600</comment>
            <translation>--control needs ADDRESS:PORT (for example 0.0.0.0:8341).</translation>
        </message>
        <message>
            <source>--remote-tokens は --remote か --control と一緒に指定してください。</source>
            <comment>14601</comment>
            <translation>--remote-tokens goes with --remote or --control.</translation>
        </message>
        <message>
            <source>ライン制御サーバーを起動できません。
%1</source>
            <comment>14602</comment>
            <translation>The line control server cannot start.
%1</translation>
        </message>
        <message>
            <source>ルームコントローラーのライン制御を有効にする(&amp;L)</source>
            <comment>14603</comment>
            <translation>Enable &amp;line control for room controllers</translation>
        </message>
        <message>
            <source>ライン制御のポート(&amp;N):</source>
            <comment>14604</comment>
            <translation>Line control &amp;port:</translation>
        </message>
        <message>
            <source>ライン制御: ポート %1 で待ち受け中、接続中 %2 台</source>
            <comment>14605</comment>
            <translation>Line control: listening on port %1; clients connected: %2</translation>
        </message>
        <message>
            <source>ライン制御は停止しています。</source>
            <comment>14606</comment>
            <translation>Line control is off.</translation>
        </message>
        <message>
            <source>ライン制御はコマンドラインの指定 (--control %1:%2) で動いています。ここでは変更できません。</source>
            <comment>14607</comment>
            <translation>Line control runs as the command line asked (--control %1:%2); it cannot be changed here.</translation>
        </message>
        <message>
            <source>システムのログにも記録する(&amp;J)</source>
            <comment>14610</comment>
            <translation>Also write to the system &amp;log</translation>
        </message>
        <message>
            <source>overlap %1 %2</source>
            <comment>14350</comment>
            <extracomment>Kept as is: a message of the command-line tool or the virtual mixer, English in every language.</extracomment>
            <translation>overlap %1 %2</translation>
        </message>
        <message>
            <source>発言記録</source>
            <comment>14400</comment>
            <translation>Speaking record</translation>
        </message>
        <message>
            <source>開始</source>
            <comment>14401</comment>
            <translation>Start</translation>
        </message>
        <message>
            <source>終了</source>
            <comment>14402</comment>
            <translation>End</translation>
        </message>
        <message>
            <source>席</source>
            <comment>14403</comment>
            <translation>Seat</translation>
        </message>
        <message>
            <source>チャンネル</source>
            <comment>14404</comment>
            <translation>Channel</translation>
        </message>
        <message>
            <source>発言時間(秒)</source>
            <comment>14405</comment>
            <translation>Speaking time (s)</translation>
        </message>
        <message>
            <source>合計(秒)</source>
            <comment>14406</comment>
            <translation>Total (s)</translation>
        </message>
        <message>
            <source>回数</source>
            <comment>14407</comment>
            <translation>Count</translation>
        </message>
        <message>
            <source>議長</source>
            <comment>14408</comment>
            <translation>Chair</translation>
        </message>
        <message>
            <source>会議設定(&amp;M)...</source>
            <comment>14409</comment>
            <translation>&amp;Meeting settings...</translation>
        </message>
        <message>
            <source>全員オフ(&amp;A)</source>
            <comment>14410</comment>
            <translation>&amp;All off</translation>
        </message>
        <message>
            <source>次の発言者(&amp;N)</source>
            <comment>14411</comment>
            <translation>&amp;Next speaker</translation>
        </message>
        <message>
            <source>発言要求(&amp;R)</source>
            <comment>14412</comment>
            <translation>&amp;Request to speak</translation>
        </message>
        <message>
            <source>要求取り消し(&amp;W)</source>
            <comment>14413</comment>
            <translation>&amp;Withdraw request</translation>
        </message>
        <message>
            <source>会議開始(&amp;S)</source>
            <comment>14414</comment>
            <translation>&amp;Start meeting</translation>
        </message>
        <message>
            <source>発言記録(&amp;L)...</source>
            <comment>14415</comment>
            <translation>Speaking &amp;log...</translation>
        </message>
        <message>
            <source>会議(&amp;G)</source>
            <comment>14416</comment>
            <translation>Meetin&amp;g</translation>
        </message>
        <message>
            <source>拒否</source>
            <comment>14417</comment>
            <translation>Refuse</translation>
        </message>
        <message>
            <source>先着順</source>
            <comment>14418</comment>
            <translation>First come, first served</translation>
        </message>
        <message>
            <source>会議設定</source>
            <comment>14419</comment>
            <translation>Meeting settings</translation>
        </message>
        <message>
            <source>実行中ではありません</source>
            <comment>14420</comment>
            <translation>Not executing</translation>
        </message>
        <message>
            <source>ボタンがありません</source>
            <comment>14421</comment>
            <translation>No button</translation>
        </message>
        <message>
            <source>マイク数の上限です</source>
            <comment>14422</comment>
            <translation>Microphone limit reached</translation>
        </message>
        <message>
            <source>発言中です</source>
            <comment>14423</comment>
            <translation>Already speaking</translation>
        </message>
        <message>
            <source>議長は要求しません</source>
            <comment>14424</comment>
            <translation>The chair does not request</translation>
        </message>
        <message>
            <source>要求済みです</source>
            <comment>14425</comment>
            <translation>Already requested</translation>
        </message>
        <message>
            <source>要求は64件までです</source>
            <comment>14426</comment>
            <translation>At most 64 requests</translation>
        </message>
        <message>
            <source>要求はありません</source>
            <comment>14427</comment>
            <translation>No request</translation>
        </message>
        <message>
            <source>発言要求はありません</source>
            <comment>14428</comment>
            <translation>No requests waiting</translation>
        </message>
        <message>
            <source>同時に発言できる代表者数</source>
            <comment>14430</comment>
            <translation>Delegates speaking at once</translation>
        </message>
        <message>
            <source>制限なし</source>
            <comment>14431</comment>
            <translation>No limit</translation>
        </message>
        <message>
            <source>上限に達したとき</source>
            <comment>14432</comment>
            <translation>When the limit is reached</translation>
        </message>
        <message>
            <source>発言時間の上限</source>
            <comment>14433</comment>
            <translation>Speaking-time limit</translation>
        </message>
        <message>
            <source>分</source>
            <comment>14434</comment>
            <translation>min</translation>
        </message>
        <message>
            <source>予告</source>
            <comment>14435</comment>
            <translation>Warning</translation>
        </message>
        <message>
            <source>秒前</source>
            <comment>14436</comment>
            <translation>s before</translation>
        </message>
        <message>
            <source>終了時</source>
            <comment>14437</comment>
            <translation>At the end</translation>
        </message>
        <message>
            <source>表示のみ</source>
            <comment>14438</comment>
            <translation>Mark only</translation>
        </message>
        <message>
            <source>オフにする</source>
            <comment>14439</comment>
            <translation>Switch off</translation>
        </message>
        <message>
            <source>発言要求一覧</source>
            <comment>14440</comment>
            <translation>Requests to speak</translation>
        </message>
        <message>
            <source>%1. %2  %3待ち</source>
            <comment>14441</comment>
            <translation>%1. %2  waiting %3</translation>
        </message>
        <message>
            <source>残り %1</source>
            <comment>14442</comment>
            <translation>%1 left</translation>
        </message>
        <message>
            <source>時間切れ</source>
            <comment>14443</comment>
            <translation>Time is up</translation>
        </message>
        <message>
            <source>発言 %1</source>
            <comment>14444</comment>
            <translation>speaking %1</translation>
        </message>
        <message>
            <source>新しい会議を始めます。これまでの発言記録は消えます。よろしいですか？</source>
            <comment>14445</comment>
            <translation>A new meeting starts and the speaking record so far is cleared. Go on?</translation>
        </message>
        <message>
            <source>CSV 保存(&amp;C)...</source>
            <comment>14446</comment>
            <translation>Save as &amp;CSV...</translation>
        </message>
        <message>
            <source>印刷(&amp;P)...</source>
            <comment>14447</comment>
            <translation>&amp;Print...</translation>
        </message>
        <message>
            <source>閉じる</source>
            <comment>14448</comment>
            <translation>Close</translation>
        </message>
        <message>
            <source>CSV ファイル|*.csv</source>
            <comment>14449</comment>
            <translation>CSV file|*.csv</translation>
        </message>
        <message>
            <source>発言記録を保存できませんでした。</source>
            <comment>14450</comment>
            <translation>The speaking record could not be saved.</translation>
        </message>
        <message>
            <source>%1 回</source>
            <comment>14451</comment>
            <translation>%1 times</translation>
        </message>
        <message>
            <source>会議開始 %1</source>
            <comment>14452</comment>
            <translation>Meeting started %1</translation>
        </message>
        <message>
            <source>発言要求の一覧: 順番、席と待ち時間</source>
            <comment>14453</comment>
            <translation>Requests to speak: order, seat and waiting time</translation>
        </message>
        <message>
            <source>上限</source>
            <comment>14454</comment>
            <translation>Limit</translation>
        </message>
        <message>
            <source>発言時間</source>
            <comment>14455</comment>
            <translation>Speaking time</translation>
        </message>
        <message>
            <source>合計</source>
            <comment>14456</comment>
            <translation>Total</translation>
        </message>
        <message>
            <source>読み込んだ設定の転送: %1 件を送信、%2 件はミキサーが保持済み</source>
            <comment>14300</comment>
            <translation>Loaded settings transferred: values sent: %1, already held by the mixers: %2</translation>
        </message>
        <message>
            <source>すべて送信(&amp;A)</source>
            <comment>14301</comment>
            <translation>Send &amp;all values</translation>
        </message>
        <message>
            <source>ミキサーがすでに持っている値も含めて、ファイルのすべての値を送信します</source>
            <comment>14302</comment>
            <translation>Sends every value of the file, also those the mixers hold already</translation>
        </message>
        <message>
            <source>%1 行目: %2</source>
            <comment>14900</comment>
            <translation>Row %1: %2</translation>
        </message>
        <message>
            <source>ミキサー %1 はこのファイルにありません (ミキサーは %2 台です)。</source>
            <comment>14901</comment>
            <translation>Mixer %1 is not in this file (mixers in it: %2).</translation>
        </message>
        <message>
            <source>ミキサー %1 のチャンネル %2 は %3 行目にもあります。</source>
            <comment>14902</comment>
            <translation>Mixer %1 channel %2 is also on row %3.</translation>
        </message>
        <message>
            <source>列が 8 つ必要です (表示名, ミキサー, チャンネル, 役割, 左, 上, 幅, 高さ)。</source>
            <comment>14903</comment>
            <translation>Eight columns are needed (caption, mixer, channel, role, left, top, width, height).</translation>
        </message>
        <message>
            <source>%1「%2」は %3 から %4 までの数ではありません。</source>
            <comment>14904</comment>
            <translation>%1 &quot;%2&quot; is not a number from %3 to %4.</translation>
        </message>
        <message>
            <source>役割「%1」は chair (議長) か delegate (代表) です。</source>
            <comment>14905</comment>
            <translation>Role &quot;%1&quot; must be chair or delegate.</translation>
        </message>
        <message>
            <source>見出しの行がありません。1 行目には列の名前を書いて下さい。</source>
            <comment>14906</comment>
            <translation>There is no header row: row 1 must name the columns.</translation>
        </message>
        <message>
            <source>座席は %1 までです。</source>
            <comment>14907</comment>
            <translation>A seating list holds at most %1 seats.</translation>
        </message>
        <message>
            <source>表示名は 2 行までです。</source>
            <comment>14908</comment>
            <translation>A caption has at most two lines.</translation>
        </message>
        <message>
            <source>ミキサー</source>
            <comment>14909</comment>
            <translation>Mixer</translation>
        </message>
        <message>
            <source>チャンネル</source>
            <comment>14910</comment>
            <translation>Channel</translation>
        </message>
        <message>
            <source>左</source>
            <comment>14911</comment>
            <translation>Left</translation>
        </message>
        <message>
            <source>上</source>
            <comment>14912</comment>
            <translation>Top</translation>
        </message>
        <message>
            <source>幅</source>
            <comment>14913</comment>
            <translation>Width</translation>
        </message>
        <message>
            <source>高さ</source>
            <comment>14914</comment>
            <translation>Height</translation>
        </message>
        <message>
            <source>座席がありません。</source>
            <comment>14915</comment>
            <translation>The list holds no seats.</translation>
        </message>
        <message>
            <source>座席表</source>
            <comment>14916</comment>
            <translation>Seating list</translation>
        </message>
        <message>
            <source>座席表(&amp;T)</source>
            <comment>14917</comment>
            <translation>Seating &amp;list</translation>
        </message>
        <message>
            <source>座席表を読み込む(&amp;I)...</source>
            <comment>14918</comment>
            <translation>&amp;Import seating list...</translation>
        </message>
        <message>
            <source>座席表を書き出す(&amp;X)...</source>
            <comment>14919</comment>
            <translation>E&amp;xport seating list...</translation>
        </message>
        <message>
            <source>表計算ソフトから座席表を貼り付ける(&amp;P)</source>
            <comment>14920</comment>
            <translation>&amp;Paste seating list from a spreadsheet</translation>
        </message>
        <message>
            <source>座席表 (CSV)|*.csv</source>
            <comment>14921</comment>
            <translation>Seating list (CSV)|*.csv</translation>
        </message>
        <message>
            <source>座席表は読み込まれませんでした。何も変わっていません。
%1</source>
            <comment>14922</comment>
            <translation>The seating list was not imported; nothing has changed.
%1</translation>
        </message>
        <message>
            <source>ファイルを読めません: %1</source>
            <comment>14923</comment>
            <translation>The file cannot be read: %1</translation>
        </message>
        <message>
            <source>座席表を保存できませんでした。</source>
            <comment>14924</comment>
            <translation>The seating list could not be saved.</translation>
        </message>
        <message>
            <source>このファイルは座席表にしては大きすぎます。</source>
            <comment>14925</comment>
            <translation>This file is too large to be a seating list.</translation>
        </message>
        <message>
            <source>座席表の読み込み</source>
            <comment>14926</comment>
            <translation>Import seating list</translation>
        </message>
        <message>
            <source>座席表の書き出し</source>
            <comment>14927</comment>
            <translation>Export seating list</translation>
        </message>
        <message>
            <source>長押し、右クリック、R キーで席の発言要求・取り消し</source>
            <comment>14800</comment>
            <translation>Long press, right-click or R on a seat: request to speak, or withdraw</translation>
        </message>
    </context>
</TS>
