<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>ドナー密度</source>
        <translation>Donor density</translation>
    </message>
    <message>
        <source>アクセプタ密度</source>
        <translation>Acceptor density</translation>
    </message>
    <message>
        <source>接合面積</source>
        <translation>Junction area</translation>
    </message>
    <message>
        <source>印加電圧</source>
        <translation>Bias</translation>
    </message>
</context>
<context>
    <name>ChartDescription</name>
    <message>
        <source>計算: ドナー密度 %1 cm^-3, アクセプタ密度 %2 cm^-3, 接合面積 %3 mm^2, 印加電圧 %4 V。</source>
        <translation>Run: donor density %1 cm^-3, acceptor density %2 cm^-3, junction area %3 mm^2, bias %4 V. </translation>
    </message>
    <message>
        <source>計算結果はまだありません。</source>
        <translation>No run yet. </translation>
    </message>
    <message>
        <source>その後の計算は入力エラーで止まりました: %1。</source>
        <translation>A later run stopped at an input error: %1. </translation>
    </message>
    <message>
        <source>拡散電位 %1 V, 伝導帯の段差 %2 eV。</source>
        <translation>Built-in potential %1 V, conduction band %2 eV above the n-side Fermi level.</translation>
    </message>
    <message>
        <source>空乏層幅 n側 %1 μm, p側 %2 μm。</source>
        <translation>Depletion width %1 μm on the n side, %2 μm on the p side.</translation>
    </message>
    <message>
        <source>拡散電位 %1 V, n側の電位降下 %2 V。</source>
        <translation>Built-in potential %1 V, drop on the n side %2 V.</translation>
    </message>
    <message>
        <source>印加電圧での容量 C %1 pF。</source>
        <translation>Capacitance at the bias %1 pF.</translation>
    </message>
    <message>
        <source>印加電圧での 1/C² %1 nF^-2。</source>
        <translation>1/C² at the bias %1 nF^-2.</translation>
    </message>
    <message>
        <source>保持した計算 %1 件: %2。</source>
        <translation> Held runs (%1): %2.</translation>
    </message>
    <message>
        <source>測定データを表示中 (C の単位 %1)。</source>
        <translation> Measured points shown (C in %1).</translation>
    </message>
    <message>
        <source>直線フィット: V0 %1 V, N_eff %2 cm^-3, R² %3, %4 点。</source>
        <translation> Straight-line fit: V0 %1 V, N_eff %2 cm^-3, R² %3, %4 points.</translation>
    </message>
</context>
<context>
    <name>ChartMenu</name>
    <message>
        <source>画像をコピー</source>
        <translation>Copy image</translation>
    </message>
    <message>
        <source>画像を保存…</source>
        <translation>Save image…</translation>
    </message>
    <message>
        <source>データを保存…</source>
        <translation>Save data…</translation>
    </message>
    <message>
        <source>ズームを元に戻す</source>
        <translation>Undo zoom</translation>
    </message>
    <message>
        <source>計算レポート</source>
        <translation>Run report</translation>
    </message>
    <message>
        <source>曲線を保持</source>
        <translation>Hold curves</translation>
    </message>
    <message>
        <source>保持を消去</source>
        <translation>Clear held curves</translation>
    </message>
    <message>
        <source>測定データを読み込む…</source>
        <translation>Load measured C–V…</translation>
    </message>
    <message>
        <source>測定データを消去</source>
        <translation>Clear measured data</translation>
    </message>
    <message>
        <source>直線フィット</source>
        <translation>Fit straight line</translation>
    </message>
    <message>
        <source>全部を書き出す…</source>
        <translation>Export everything…</translation>
    </message>
    <message>
        <source>言語 / Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>言語を「%1」にしました。次に起動したときから使われます。</source>
        <translation>The language is now “%1”. It applies from the next start of the program.</translation>
    </message>
    <message>
        <source>ドーピングプロファイル</source>
        <translation>Doping profile</translation>
    </message>
    <message>
        <source>べき乗フィット</source>
        <translation>Grading exponent</translation>
    </message>
</context>
<context>
    <name>Charts</name>
    <message>
        <source>エネルギーバンド図</source>
        <translation>Energy band diagram</translation>
    </message>
    <message>
        <source>空間電荷密度</source>
        <translation>Space-charge density</translation>
    </message>
    <message>
        <source>電位分布</source>
        <translation>Electrostatic potential</translation>
    </message>
    <message>
        <source>C–V特性</source>
        <translation>C–V characteristic</translation>
    </message>
    <message>
        <source>1/C²–V特性</source>
        <translation>1/C²–V characteristic</translation>
    </message>
    <message>
        <source>ドーピングプロファイル N(W)</source>
        <translation>Doping profile N(W)</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>計算レポートを保存</source>
        <translation>Save run report</translation>
    </message>
    <message>
        <source>PDF 文書</source>
        <translation>PDF document</translation>
    </message>
    <message>
        <source>画像を保存</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>PNG 画像</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>SVG 画像</source>
        <translation>SVG image</translation>
    </message>
    <message>
        <source>PNG 画像 (2×)</source>
        <translation>PNG image (2×)</translation>
    </message>
    <message>
        <source>PNG 画像 (4×)</source>
        <translation>PNG image (4×)</translation>
    </message>
    <message>
        <source>データを保存</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>CSV ファイル</source>
        <translation>CSV file</translation>
    </message>
    <message>
        <source>測定データを読み込む</source>
        <translation>Load measured data</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>すべてのファイル</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>全部を書き出すフォルダ</source>
        <translation>Folder to export everything into</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>PDF を作成できません</source>
        <translation>The PDF cannot be made</translation>
    </message>
    <message>
        <source>%1 が見つかりません (%2)</source>
        <translation>%1 is missing (looked for: %2)</translation>
    </message>
    <message>
        <source>印刷できません: %1</source>
        <translation>Cannot print: %1</translation>
    </message>
    <message>
        <source>%1 を読み込めません</source>
        <translation>%1 cannot be loaded</translation>
    </message>
    <message>
        <source>Web ブラウザを開始できません: %1</source>
        <translation>The web browser cannot start: %1</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>エネルギーバンド</source>
        <translation>energy bands</translation>
    </message>
    <message>
        <source>空間電荷</source>
        <translation>space charge</translation>
    </message>
    <message>
        <source>静電ポテンシャル</source>
        <translation>electrostatic potential</translation>
    </message>
    <message>
        <source>C-V 曲線</source>
        <translation>C-V curve</translation>
    </message>
    <message>
        <source>1/C^2-V 曲線</source>
        <translation>1/C^2-V curve</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>files</translation>
    </message>
    <message>
        <source>計算の過程 (PDF)</source>
        <translation>the worked solution of the run (PDF)</translation>
    </message>
    <message>
        <source>計算の過程の Web ページ, スタイルシート入り (HTML)</source>
        <translation>the worked solution as a web page, its stylesheet inside (HTML)</translation>
    </message>
    <message>
        <source>この一覧</source>
        <translation>this list</translation>
    </message>
    <message>
        <source>画像とデータは、ウィンドウが表示していたとおりのグラフです (ズームを含む)。レポートの図は計算全体を示します。</source>
        <translation>The pictures and data show the charts as the window showed them, zoom included; the report&apos;s figures show the whole run.</translation>
    </message>
    <message>
        <source>; C-V と 1/C^2 の曲線は、その計算が中止される前に求めた掃引です</source>
        <translation>; the C-V and 1/C^2 curves show that run&apos;s sweep, computed before it stopped</translation>
    </message>
    <message>
        <source>フィット: 1/C^2 = slope V + intercept, 計算した曲線の最小二乗法</source>
        <translation>fit: 1/C^2 = slope V + intercept, least squares through the computed curve</translation>
    </message>
    <message>
        <source>フィットの範囲 (V)</source>
        <translation>fit range (V)</translation>
    </message>
    <message>
        <source>〜</source>
        <translation>to</translation>
    </message>
    <message>
        <source>フィットの面積 (mm^2)</source>
        <translation>fit area (mm^2)</translation>
    </message>
    <message>
        <source>フィットの傾き (F^-2/V)</source>
        <translation>fit slope (F^-2/V)</translation>
    </message>
    <message>
        <source>フィットの切片 (F^-2)</source>
        <translation>fit intercept (F^-2)</translation>
    </message>
    <message>
        <source>フィットの V0 (V)</source>
        <translation>fit V0 (V)</translation>
    </message>
    <message>
        <source>フィットの N_eff (cm^-3)</source>
        <translation>fit N_eff (cm^-3)</translation>
    </message>
    <message>
        <source>フィットの R^2</source>
        <translation>fit R^2</translation>
    </message>
    <message>
        <source>フィットの点数</source>
        <translation>fit points</translation>
    </message>
    <message>
        <source>計算なし</source>
        <translation>no run</translation>
    </message>
    <message>
        <source>ドナー密度 (cm^-3)</source>
        <translation>donor density (cm^-3)</translation>
    </message>
    <message>
        <source>アクセプタ密度 (cm^-3)</source>
        <translation>acceptor density (cm^-3)</translation>
    </message>
    <message>
        <source>接合面積 (mm^2)</source>
        <translation>junction area (mm^2)</translation>
    </message>
    <message>
        <source>印加電圧 (V)</source>
        <translation>bias (V)</translation>
    </message>
    <message>
        <source>拡散電位 Vbi (V)</source>
        <translation>Vbi (V)</translation>
    </message>
    <message>
        <source>完了した計算はまだありません</source>
        <translation>no calculation has completed yet</translation>
    </message>
    <message>
        <source>計算はまだ行われていません</source>
        <translation>no calculation has run yet</translation>
    </message>
    <message>
        <source>; 下の行はグラフに表示されているものです</source>
        <translation>; the rows below are those the chart shows</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>chart</translation>
    </message>
    <message>
        <source>列: 縦長の形式で 1 点 1 行: 点が属する系列, x, y。系列の行は描かれた順に続きます</source>
        <translation>columns: long format, one row per point: the series it belongs to, x, y; a series&apos; rows follow each other in the order drawn</translation>
    </message>
    <message>
        <source>%1 %2: 1 回の計算の結果をまとめて書き出したもの

計算: %3
</source>
        <translation>%1 %2: the results of one run, written together

run: %3
</translation>
    </message>
    <message>
        <source>保持 %1: %2</source>
        <translation>held %1: %2</translation>
    </message>
    <message>
        <source>%1, ウィンドウの画像 (PNG, %2x)</source>
        <translation>%1, the window&apos;s picture (PNG, %2x)</translation>
    </message>
    <message>
        <source>%1, ベクター図 (SVG)</source>
        <translation>%1, vector drawing (SVG)</translation>
    </message>
    <message>
        <source>%1, ベクター図 (PDF)</source>
        <translation>%1, vector drawing (PDF)</translation>
    </message>
    <message>
        <source>%1, すべての曲線の点 (CSV)</source>
        <translation>%1, every curve&apos;s points (CSV)</translation>
    </message>
    <message>
        <source>後の計算が入力エラーで中止されました (%1; 入力 Nd %2 Na %3 A %4 V %5)</source>
        <translation>a later run stopped at an input error (%1; typed Nd %2 Na %3 A %4 V %5)</translation>
    </message>
    <message>
        <source>計算が入力エラーで中止されました (%1; 入力 Nd %2 Na %3 A %4 V %5)</source>
        <translation>a run stopped at an input error (%1; typed Nd %2 Na %3 A %4 V %5)</translation>
    </message>
    <message>
        <source>フィット: 1/C^2 = slope V + intercept, 測定点 (C の単位 %1) の最小二乗法</source>
        <translation>fit: 1/C^2 = slope V + intercept, least squares through the measured points (C in %1)</translation>
    </message>
    <message>
        <source>ウィンドウの軸タイトル: x %1; y %2</source>
        <translation>axis titles in the window: x %1; y %2</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>測定データ &apos;%s&apos; が見つかりません</source>
        <translation>The measured data &apos;%s&apos; cannot be found</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; を読み込めません</source>
        <translation>The measured data &apos;%s&apos; cannot be read</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; が大きすぎます (%s バイトまで)</source>
        <translation>The measured data &apos;%s&apos; is too large (at most %s bytes)</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; にデータ行がありません</source>
        <translation>The measured data &apos;%s&apos; has no data rows</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: UTF-8 のテキストではないバイトがあります</source>
        <translation>Measured data &apos;%s&apos;, line %s: bytes that are not UTF-8 text</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: 電圧と容量の 2 つの数値が必要です</source>
        <translation>Measured data &apos;%s&apos;, line %s: two numbers, a voltage and a capacitance, are needed</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: 列が多すぎます (電圧と容量の 2 列だけにしてください)</source>
        <translation>Measured data &apos;%s&apos;, line %s: too many columns (give only the two, voltage and capacitance)</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: &apos;%s&apos; は数値ではありません</source>
        <translation>Measured data &apos;%s&apos;, line %s: &apos;%s&apos; is not a number</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: &apos;%s&apos; は有限の数値ではありません</source>
        <translation>Measured data &apos;%s&apos;, line %s: &apos;%s&apos; is not a finite number</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: &apos;%s&apos; は扱える範囲を超えています</source>
        <translation>Measured data &apos;%s&apos;, line %s: &apos;%s&apos; is out of the range the program handles</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: 容量は正の値でなければなりません</source>
        <translation>Measured data &apos;%s&apos;, line %s: a capacitance must be positive</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: データ行が上限の %s 行を超えています</source>
        <translation>Measured data &apos;%s&apos;, line %s: more data rows than the limit of %s</translation>
    </message>
    <message>
        <source>フィットには表示範囲内に 2 点以上が必要です</source>
        <translation>A fit needs at least 2 points in the visible range</translation>
    </message>
    <message>
        <source>すべての点が同じ電圧にあるため直線を決められません</source>
        <translation>All points lie at one voltage, so no line can be fitted</translation>
    </message>
    <message>
        <source>フィットの結果が有限の数値になりません</source>
        <translation>The fit does not give finite numbers</translation>
    </message>
    <message>
        <source>&apos;%s&apos; を保存できません: %s</source>
        <translation>Cannot save &apos;%s&apos;: %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; を保存できません: 対応していないファイル形式です</source>
        <translation>Cannot save &apos;%s&apos;: the file type is not supported</translation>
    </message>
    <message>
        <source>保持する計算結果がありません</source>
        <translation>There is no run to hold</translation>
    </message>
    <message>
        <source>計算レポートのページが古くなっていました: 最新の結果で表示し直したので、もう一度選んでください</source>
        <translation>The report page was out of date: it now shows the latest results, so please choose again</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: 見出し &apos;%s&apos; の容量の単位が分かりません (F, mF, µF, nF, pF, fF, aF のどれかを括弧に入れて書いてください)</source>
        <translation>Measured data &apos;%s&apos;, line %s: the capacitance unit of the heading &apos;%s&apos; is unknown (write one of F, mF, µF, nF, pF, fF, aF in brackets)</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: 見出し &apos;%s&apos; の電圧の単位は V でなければなりません</source>
        <translation>Measured data &apos;%s&apos;, line %s: the voltage unit of the heading &apos;%s&apos; must be V</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; は通常のファイルではありません</source>
        <translation>The measured data &apos;%s&apos; is not a regular file</translation>
    </message>
    <message>
        <source>測定データ &apos;%s&apos; の %s 行目: 容量 &apos;%s&apos; %s はグラフで扱える範囲 (1e-47 pF 〜 1e53 pF) の外にあります</source>
        <translation>Measured data &apos;%s&apos;, line %s: the capacitance &apos;%s&apos; %s is outside the range the charts handle (1e-47 pF to 1e53 pF)</translation>
    </message>
    <message>
        <source>フォルダ &apos;%s&apos; への書き出しは %s 個のファイルを書いたところで止まりました: %s</source>
        <translation>The export into the folder &apos;%s&apos; stopped after %s files: %s</translation>
    </message>
    <message>
        <source>書き出し先のフォルダ &apos;%s&apos; を作れません: %s</source>
        <translation>Cannot make the export folder &apos;%s&apos;: %s</translation>
    </message>
    <message>
        <source>不正な浮動小数点数演算命令</source>
        <translation>Invalid floating point operation</translation>
    </message>
    <message>
        <source>0 による浮動小数点数除算</source>
        <translation>Floating point division by zero</translation>
    </message>
    <message>
        <source>浮動小数点数のオーバーフロー</source>
        <translation>Floating point overflow</translation>
    </message>
    <message>
        <source>浮動小数点数のアンダーフロー</source>
        <translation>Floating point underflow</translation>
    </message>
    <message>
        <source>ゼロによる除算</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>範囲チェックエラー</source>
        <translation>Range check error</translation>
    </message>
    <message>
        <source>整数のオーバーフロー</source>
        <translation>Integer overflow</translation>
    </message>
    <message>
        <source>CTRL-C</source>
        <translation>Control-C hit</translation>
    </message>
    <message>
        <source>外部例外 %x</source>
        <translation>External exception %x</translation>
    </message>
    <message>
        <source>OLE コントロールのアクティブ化に失敗しました</source>
        <translation>The OLE control could not be activated</translation>
    </message>
    <message>
        <source>OLE コントロールのウィンドウハンドルの取得に失敗しました</source>
        <translation>The OLE control&apos;s window handle could not be obtained</translation>
    </message>
    <message>
        <source>書式文字列が長すぎます</source>
        <translation>Format string too long</translation>
    </message>
    <message>
        <source>%s リソースが見つかりません</source>
        <translation>Resource %s not found</translation>
    </message>
    <message>
        <source>プロパティ %s は存在しません</source>
        <translation>Property %s does not exist</translation>
    </message>
    <message>
        <source>&apos;%s&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%s&apos; is not a valid floating point value</translation>
    </message>
    <message>
        <source>ビットマップ イメージが不正です</source>
        <translation>Bitmap image is not valid</translation>
    </message>
    <message>
        <source>不正なストリーム形式</source>
        <translation>Invalid stream format</translation>
    </message>
    <message>
        <source>コンポーネント名に &apos;&apos;%s&apos;&apos; は使えません</source>
        <translation>&apos;&apos;%s&apos;&apos; is not a valid component name</translation>
    </message>
    <message>
        <source>不正なプロパティのパスです</source>
        <translation>Invalid property path</translation>
    </message>
    <message>
        <source>不正なプロパティの値です</source>
        <translation>Invalid property value</translation>
    </message>
    <message>
        <source>%s%s%s の読み込み中のエラー : %s</source>
        <translation>Error reading %s%s%s: %s</translation>
    </message>
    <message>
        <source>ストリームからの読み込みエラー</source>
        <translation>Stream read error</translation>
    </message>
    <message>
        <source>プロパティは書き込み禁止です</source>
        <translation>Property is read-only</translation>
    </message>
    <message>
        <source>継承元の &apos;%s&apos; が見つかりません</source>
        <translation>Ancestor for &apos;%s&apos; not found</translation>
    </message>
    <message>
        <source>クラス %s が見つかりません</source>
        <translation>Class %s not found</translation>
    </message>
    <message>
        <source>コンポーネント名 %s はすでに使われています</source>
        <translation>A component named %s already exists</translation>
    </message>
    <message>
        <source>プロファイルの窓の半幅 k は 1 から 25 まででなければなりません (k = %s)</source>
        <translation>The profile window&apos;s half-width k must be from 1 to 25 (k = %s)</translation>
    </message>
    <message>
        <source>ドーピングプロファイルには表示範囲内に %s 点以上 (k = %s の窓 2k + 1 点) が必要です</source>
        <translation>The doping profile needs at least %s points in the visible range (a window of 2k + 1 points for k = %s)</translation>
    </message>
    <message>
        <source>すべての点が同じ電圧にあるため 1/C² の傾きを決められません</source>
        <translation>All points lie at one voltage, so the slope of 1/C² cannot be found</translation>
    </message>
    <message>
        <source>1/C² が電圧とともに減る点がないため、ドーピングプロファイルを描けません</source>
        <translation>No point has 1/C² falling with voltage, so no doping profile can be drawn</translation>
    </message>
    <message>
        <source>べき乗フィットには表示範囲内に 3 点以上が必要です</source>
        <translation>The grading fit needs at least 3 points in the visible range</translation>
    </message>
    <message>
        <source>すべての点が同じ電圧にあるため、べき乗フィットができません</source>
        <translation>All points lie at one voltage, so the grading exponent cannot be fitted</translation>
    </message>
    <message>
        <source>べき乗フィットが収束しません: 表示範囲の C-V は C0 (1 - V/V0)^(-m) の形に合いません</source>
        <translation>The grading fit does not converge: the C-V in the visible range does not follow C0 (1 - V/V0)^(-m)</translation>
    </message>
</context>
<context>
    <name>Profile</name>
    <message>
        <source>測定データから</source>
        <translation>From measured data</translation>
    </message>
    <message>
        <source>計算曲線から</source>
        <translation>From the computed curve</translation>
    </message>
    <message>
        <source>窓 2k + 1 = %1 点 (k = %2)</source>
        <translation>Window 2k + 1 = %1 points (k = %2)</translation>
    </message>
    <message>
        <source>点 %1 / 範囲内 %2</source>
        <translation>Points %1 of %2 in range</translation>
    </message>
    <message>
        <source>除外 %1 点 (1/C² の傾きが 0 または正)</source>
        <translation>Left out: %1 (slope of 1/C² zero or positive)</translation>
    </message>
    <message>
        <source>分解能外 %1 点 (W &lt; 3 L_D、白抜き)</source>
        <translation>Not resolved: %1 (W &lt; 3 L_D, hollow)</translation>
    </message>
    <message>
        <source>赤線</source>
        <translation>red line</translation>
    </message>
    <message>
        <source>破線</source>
        <translation>dashed line</translation>
    </message>
    <message>
        <source>点 %1</source>
        <translation>points %1</translation>
    </message>
</context>
<context>
    <name>RunReport</name>
    <message>
        <source>まだ計算していません</source>
        <translation>No run yet</translation>
    </message>
    <message>
        <source>計算結果はまだありません。起動またはリセットの後、計算が一度も完了していません。メインウィンドウで 4 つの値を入力して &lt;b&gt;計算&lt;/b&gt; を押すと、このページにその計算の過程が表示されます。</source>
        <translation>There is no run yet: the calculator has not completed a run since it started or was reset. Type the four inputs in the main window and press &lt;b&gt;Calculate&lt;/b&gt;; this page then shows the worked solution of that run.</translation>
    </message>
    <message>
        <source>後の計算が入力エラーで中止されました</source>
        <translation>A later run stopped at an input error</translation>
    </message>
    <message>
        <source>計算が入力エラーで中止されました</source>
        <translation>A run stopped at an input error</translation>
    </message>
    <message>
        <source>N&lt;sub&gt;d&lt;/sub&gt; = %1, N&lt;sub&gt;a&lt;/sub&gt; = %2, A = %3, V = %4 (入力のまま) で始めた計算は中止されました: %5。</source>
        <translation>The run begun with N&lt;sub&gt;d&lt;/sub&gt; = %1, N&lt;sub&gt;a&lt;/sub&gt; = %2, A = %3, V = %4 (as typed) stopped: %5.</translation>
    </message>
    <message>
        <source>このレポートはグラフと同じく、最後に完了した計算を示しています。</source>
        <translation> This report, like the charts, shows the last run that completed.</translation>
    </message>
    <message>
        <source>グラフと図の C–V 曲線と 1/C&lt;sup&gt;2&lt;/sup&gt; 曲線は、その計算が中止される前に求めた掃引です。</source>
        <translation> The C–V and 1/C&lt;sup&gt;2&lt;/sup&gt; curves on the charts and in the figures are that run&apos;s sweep, computed before it stopped.</translation>
    </message>
    <message>
        <source>PDF として保存…</source>
        <translation>Save as PDF…</translation>
    </message>
    <message>
        <source>印刷…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>最後の計算の過程です。すべての量を、その式、順に代入した数値、プログラムが表示する形の結果とともに示します。</source>
        <translation>The worked solution of the last calculation: every quantity with its formula, the numbers put in step by step and the result as the program writes numbers.</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>入力項目</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>入力値</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>使用値</source>
        <translation>Used</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>SI 単位</source>
        <translation>In SI units</translation>
    </message>
    <message>
        <source>ドナー密度 N&lt;sub&gt;d&lt;/sub&gt;</source>
        <translation>donor density N&lt;sub&gt;d&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>アクセプタ密度 N&lt;sub&gt;a&lt;/sub&gt;</source>
        <translation>acceptor density N&lt;sub&gt;a&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>接合面積 A</source>
        <translation>junction area A</translation>
    </message>
    <message>
        <source>印加電圧 V</source>
        <translation>applied voltage V</translation>
    </message>
    <message>
        <source>範囲外の値は範囲の端に置き換えられます。密度は 1E14 … 1E18 cm&lt;sup&gt;−3&lt;/sup&gt;、面積は 0.1 … 100 mm&lt;sup&gt;2&lt;/sup&gt;、電圧は −10 V … 最大印加電圧です。</source>
        <translation>Values outside their ranges are clamped: densities to 1E14 … 1E18 cm&lt;sup&gt;−3&lt;/sup&gt;, the area to 0.1 … 100 mm&lt;sup&gt;2&lt;/sup&gt;, the voltage to −10 V … the maximum bias.</translation>
    </message>
    <message>
        <source>計算の過程</source>
        <translation>Worked solution</translation>
    </message>
    <message>
        <source>拡散電位 %1</source>
        <translation>Built-in potential %1</translation>
    </message>
    <message>
        <source>最大印加電圧 %1</source>
        <translation>Maximum bias %1</translation>
    </message>
    <message>
        <source>%1 はボルト単位: %1 を 0.1 V の倍数に切り捨てる</source>
        <translation>%1 in volts: %1 cut down to a multiple of 0.1 V</translation>
    </message>
    <message>
        <source>計算に使う印加電圧は V = &lt;b&gt;%1&lt;/b&gt; V</source>
        <translation>the applied voltage used is V = &lt;b&gt;%1&lt;/b&gt; V</translation>
    </message>
    <message>
        <source>n側の空乏層幅 %1</source>
        <translation>Depletion width on the n side %1</translation>
    </message>
    <message>
        <source>p側の空乏層幅 %1</source>
        <translation>Depletion width on the p side %1</translation>
    </message>
    <message>
        <source>空乏層幅 W</source>
        <translation>Depletion layer width W</translation>
    </message>
    <message>
        <source>n側の電位降下 %1</source>
        <translation>Potential drop on the n side %1</translation>
    </message>
    <message>
        <source>n側のフェルミ準位から測った伝導帯の位置 %1</source>
        <translation>Conduction band above the n-side Fermi level %1</translation>
    </message>
    <message>
        <source>最大電界 %1</source>
        <translation>Peak field %1</translation>
    </message>
    <message>
        <source>印加電圧での容量 C</source>
        <translation>Capacitance at the bias C</translation>
    </message>
    <message>
        <source>(%1 と同じ)</source>
        <translation>(the same as %1)</translation>
    </message>
    <message>
        <source>容量の逆二乗 1/C&lt;sup&gt;2&lt;/sup&gt;</source>
        <translation>Inverse square 1/C&lt;sup&gt;2&lt;/sup&gt;</translation>
    </message>
    <message>
        <source>1/C&lt;sup&gt;2&lt;/sup&gt; の直線フィット</source>
        <translation>Straight-line fit of 1/C&lt;sup&gt;2&lt;/sup&gt;</translation>
    </message>
    <message>
        <source>%1のうち %2 V ≤ V ≤ %3 V の点に、最小二乗法で直線 1/C&lt;sup&gt;2&lt;/sup&gt; = a + b V を当てはめました (%4 点, R&lt;sup&gt;2&lt;/sup&gt; = %5)。</source>
        <translation>A least-squares line 1/C&lt;sup&gt;2&lt;/sup&gt; = a + b V through %1 with %2 V ≤ V ≤ %3 V (%4 points, R&lt;sup&gt;2&lt;/sup&gt; = %5).</translation>
    </message>
    <message>
        <source>測定点</source>
        <translation>the measured points</translation>
    </message>
    <message>
        <source>計算した曲線</source>
        <translation>the computed curve</translation>
    </message>
    <message>
        <source>測定した容量は %1 として読みました: ファイルに単位の記載がありません。</source>
        <translation>The measured capacitances were read in %1: their file names no unit.</translation>
    </message>
    <message>
        <source>測定した容量は %1 として読みました。</source>
        <translation>The measured capacitances were read in %1.</translation>
    </message>
    <message>
        <source>ドーピング密度は、フィットしたときの接合面積 A = %1 mm&lt;sup&gt;2&lt;/sup&gt; = %2 m&lt;sup&gt;2&lt;/sup&gt; で求めています。上の計算は A = %3 mm&lt;sup&gt;2&lt;/sup&gt; を使っています。</source>
        <translation>The doping is read with the junction area the fit was made with, A = %1 mm&lt;sup&gt;2&lt;/sup&gt; = %2 m&lt;sup&gt;2&lt;/sup&gt;; the run above used A = %3 mm&lt;sup&gt;2&lt;/sup&gt;.</translation>
    </message>
    <message>
        <source>ドーピング密度は、フィットしたときの接合面積 A = %1 mm&lt;sup&gt;2&lt;/sup&gt; = %2 m&lt;sup&gt;2&lt;/sup&gt; で求めています。</source>
        <translation>The doping is read with the junction area the fit was made with, A = %1 mm&lt;sup&gt;2&lt;/sup&gt; = %2 m&lt;sup&gt;2&lt;/sup&gt;.</translation>
    </message>
    <message>
        <source>傾き b</source>
        <translation>Slope b</translation>
    </message>
    <message>
        <source>直線から求めた拡散電位 %1</source>
        <translation>Built-in potential from the line %1</translation>
    </message>
    <message>
        <source>実効ドーピング密度 %1</source>
        <translation>Effective doping %1</translation>
    </message>
    <message>
        <source>上の計算と比べると、N&lt;sub&gt;a&lt;/sub&gt;N&lt;sub&gt;d&lt;/sub&gt;/(N&lt;sub&gt;a&lt;/sub&gt; + N&lt;sub&gt;d&lt;/sub&gt;) = %1 %2 なので、%3 はその %4 % です。</source>
        <translation>Against the run above: N&lt;sub&gt;a&lt;/sub&gt;N&lt;sub&gt;d&lt;/sub&gt;/(N&lt;sub&gt;a&lt;/sub&gt; + N&lt;sub&gt;d&lt;/sub&gt;) = %1 %2, so %3 is %4 % of it.</translation>
    </message>
    <message>
        <source>材料定数</source>
        <translation>Material constants</translation>
    </message>
    <message>
        <source>電気素量</source>
        <translation>elementary charge</translation>
    </message>
    <message>
        <source>真空の誘電率</source>
        <translation>vacuum permittivity</translation>
    </message>
    <message>
        <source>シリコンの比誘電率</source>
        <translation>relative permittivity of silicon</translation>
    </message>
    <message>
        <source>ボルツマン定数</source>
        <translation>Boltzmann constant</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>temperature</translation>
    </message>
    <message>
        <source>真性キャリア密度</source>
        <translation>intrinsic carrier density</translation>
    </message>
    <message>
        <source>伝導帯の有効状態密度</source>
        <translation>effective density of states, conduction band</translation>
    </message>
    <message>
        <source>価電子帯の有効状態密度</source>
        <translation>effective density of states, valence band</translation>
    </message>
    <message>
        <source>バンドギャップ</source>
        <translation>band gap</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>定数</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>記号</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>グラフ %1</source>
        <translation>Chart %1</translation>
    </message>
    <message>
        <source>計算レポート</source>
        <translation>Run report</translation>
    </message>
    <message>
        <source>べき乗フィット</source>
        <translation>Grading exponent</translation>
    </message>
    <message>
        <source>C = %1 (1 − V/%2)&lt;sup&gt;−m&lt;/sup&gt; を%3のうち %4 V ≤ V ≤ %5 V の点 (%6 点) に当てはめました。試す %2 ごとに ln C と ln(1 − V/%2) の直線を引き、残差の二乗和が最も小さくなる %2 を選びます。m = 1/2 は階段接合、m = 1/3 は線形傾斜接合です。</source>
        <translation>C = %1 (1 − V/%2)&lt;sup&gt;−m&lt;/sup&gt; fitted to %3 with %4 V ≤ V ≤ %5 V (%6 points): for each trial %2 a straight line of ln C against ln(1 − V/%2), and the %2 whose line leaves the least squared residue. m = 1/2 is an abrupt junction, m = 1/3 a linearly graded one.</translation>
    </message>
    <message>
        <source>べき指数 m</source>
        <translation>Grading exponent m</translation>
    </message>
    <message>
        <source>C が発散する電圧</source>
        <translation>where C diverges</translation>
    </message>
    <message>
        <source>0 V の容量 %1</source>
        <translation>Capacitance at 0 V %1</translation>
    </message>
    <message>
        <source>ln C の R&lt;sup&gt;2&lt;/sup&gt; = %1。</source>
        <translation>R&lt;sup&gt;2&lt;/sup&gt; of ln C = %1.</translation>
    </message>
    <message>
        <source>ドーピングプロファイル</source>
        <translation>Doping profile</translation>
    </message>
    <message>
        <source>%1のうち %2 V ≤ V ≤ %3 V の点から W = %4 A / C と N(W) = 2 / (q %4 A&lt;sup&gt;2&lt;/sup&gt; |d(1/C&lt;sup&gt;2&lt;/sup&gt;)/dV|) を求めます。微分は隣り合う 2k + 1 = %5 点 (k = %6) を通る最小二乗直線の傾きで、A = %7 mm&lt;sup&gt;2&lt;/sup&gt; です。</source>
        <translation>From %1 with %2 V ≤ V ≤ %3 V: W = %4 A / C and N(W) = 2 / (q %4 A&lt;sup&gt;2&lt;/sup&gt; |d(1/C&lt;sup&gt;2&lt;/sup&gt;)/dV|), the derivative the slope of a least-squares line through 2k + 1 = %5 neighbouring points (k = %6), with A = %7 mm&lt;sup&gt;2&lt;/sup&gt;.</translation>
    </message>
    <message>
        <source>範囲内の %2 点のうち %1 点を示します。1/C&lt;sup&gt;2&lt;/sup&gt; が V とともに減らなかった %3 点は除き、深さが Debye 長の 3 倍 (%4 = √(%5 k T / (q&lt;sup&gt;2&lt;/sup&gt; N))) に満たない %6 点は分解能外としています。</source>
        <translation> %1 of %2 points; %3 left out where 1/C&lt;sup&gt;2&lt;/sup&gt; did not fall with V; %6 not resolved, their depth under three Debye lengths %4 = √(%5 k T / (q&lt;sup&gt;2&lt;/sup&gt; N)).</translation>
    </message>
    <message>
        <source>表は %1 点ごとに示します。</source>
        <translation>The table shows every %1th point.</translation>
    </message>
    <message>
        <source>分解能内</source>
        <translation>resolved</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>いいえ (W &amp;lt; 3 L&lt;sub&gt;D&lt;/sub&gt;)</source>
        <translation>no (W &amp;lt; 3 L&lt;sub&gt;D&lt;/sub&gt;)</translation>
    </message>
</context>
<context>
    <name>TFormPNJunction</name>
    <message>
        <source>pn接合ダイオードの容量ー電圧特性</source>
        <comment>FormPNJunction.Caption</comment>
        <translation>Capacitance–voltage characteristics of a pn-junction diode</translation>
    </message>
    <message>
        <source>シリコン半導体</source>
        <comment>Label2.Caption</comment>
        <translation>Silicon</translation>
    </message>
    <message>
        <source>ドナー密度</source>
        <comment>Label3.Caption</comment>
        <translation>Donor density</translation>
    </message>
    <message>
        <source>アクセプタ密度</source>
        <comment>Label5.Caption</comment>
        <translation>Acceptor dens.</translation>
    </message>
    <message>
        <source>拡散電位</source>
        <comment>Label7.Caption</comment>
        <translation>Built-in</translation>
    </message>
    <message>
        <source>ドナー密度</source>
        <comment>Label9.Caption</comment>
        <translation>Donor density</translation>
    </message>
    <message>
        <source>アクセプタ密度</source>
        <comment>Label10.Caption</comment>
        <translation>Acceptor density</translation>
    </message>
    <message>
        <source>印加電圧</source>
        <comment>Label13.Caption</comment>
        <translation>Bias</translation>
    </message>
    <message>
        <source>印加電圧</source>
        <comment>Label14.Caption</comment>
        <translation>Bias</translation>
    </message>
    <message>
        <source>接合面積</source>
        <comment>Label16.Caption</comment>
        <translation>Junction area</translation>
    </message>
    <message>
        <source>接合面積</source>
        <comment>Label19.Caption</comment>
        <translation>Junction area</translation>
    </message>
    <message>
        <source>Poisson方程式</source>
        <comment>Label24.Caption</comment>
        <translation>Poisson equation</translation>
    </message>
    <message>
        <source>p型Si (x &lt; 0)</source>
        <comment>Label25.Caption</comment>
        <translation>p-Si (x &lt; 0)</translation>
    </message>
    <message>
        <source>n型Si (x &gt; 0)</source>
        <comment>Label26.Caption</comment>
        <translation>n-Si (x &gt; 0)</translation>
    </message>
    <message>
        <source>ミナモ大学&#x3000;工学部&#x3000;電気電子工学科&#x3000;ケストレル研究室</source>
        <comment>ButtonHTML.Caption</comment>
        <translation>Kestrel Laboratory, Minamo University</translation>
    </message>
    <message>
        <source>電圧&#x3000;[V]</source>
        <comment>ChartCV.BottomAxis.Title.Caption</comment>
        <translation>Voltage  [V]</translation>
    </message>
    <message>
        <source>容量 C&#x3000;[pF]</source>
        <comment>ChartCV.LeftAxis.Title.Caption</comment>
        <translation>Capacitance C  [pF]</translation>
    </message>
    <message>
        <source>電圧&#x3000;[V]</source>
        <comment>ChartC2V.BottomAxis.Title.Caption</comment>
        <translation>Voltage  [V]</translation>
    </message>
    <message>
        <source>距離&#x3000;[μm]</source>
        <comment>ChartEnergyBand.BottomAxis.Title.Caption</comment>
        <translation>Position  [μm]</translation>
    </message>
    <message>
        <source>エネルギー&#x3000;[eV]</source>
        <comment>ChartEnergyBand.LeftAxis.Title.Caption</comment>
        <translation>Energy  [eV]</translation>
    </message>
    <message>
        <source>電荷密度分布</source>
        <comment>ChartChargeDensity.Title.Text.Strings</comment>
        <translation>Space-charge density</translation>
    </message>
    <message>
        <source>距離&#x3000;[μm]</source>
        <comment>ChartChargeDensity.BottomAxis.Title.Caption</comment>
        <translation>Position  [μm]</translation>
    </message>
    <message>
        <source>電荷密度&#x3000;[cm-3]</source>
        <comment>ChartChargeDensity.LeftAxis.Title.Caption</comment>
        <translation>Charge density  [cm-3]</translation>
    </message>
    <message>
        <source>距離&#x3000;[μm]</source>
        <comment>ChartVoltage.BottomAxis.Title.Caption</comment>
        <translation>Position  [μm]</translation>
    </message>
    <message>
        <source>電圧&#x3000;[V]</source>
        <comment>ChartVoltage.LeftAxis.Title.Caption</comment>
        <translation>Potential  [V]</translation>
    </message>
    <message>
        <source>計算</source>
        <comment>ButtonCalcuationCV.Caption</comment>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>リセット</source>
        <comment>ButtonReset.Caption</comment>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>TFormProfile</name>
    <message>
        <source>ドーピングプロファイル</source>
        <comment>FormProfile.Caption</comment>
        <translation>Doping profile</translation>
    </message>
    <message>
        <source>窓の半幅 k (1〜25)</source>
        <comment>LabelHalfWidth.Caption</comment>
        <translation>Window k (1–25)</translation>
    </message>
    <message>
        <source>再計算</source>
        <comment>ButtonRecalculate.Caption</comment>
        <translation>Recompute</translation>
    </message>
    <message>
        <source>空乏層幅 W&#x3000;[µm]</source>
        <comment>ChartProfile.BottomAxis.Title.Caption</comment>
        <translation>Depletion width W  [µm]</translation>
    </message>
    <message>
        <source>ドーピング密度 N&#x3000;[cm^-3]</source>
        <comment>ChartProfile.LeftAxis.Title.Caption</comment>
        <translation>Doping density N  [cm^-3]</translation>
    </message>
</context>
</TS>
